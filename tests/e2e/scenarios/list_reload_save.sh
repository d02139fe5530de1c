# The list buttons beyond the visible area, reached by Tab: "载入" appends the
# file's lines again (the list shows every entry twice), "保存" then writes
# the doubled list to data.txt, CR LF after each line.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main

e2e_key Tab Tab          # the list, then "载入"
before=$(e2e_list_text_height before)
[ "$before" -gt 0 ] || e2e_fail "the list shows no entries before 载入 (see before.png)"
e2e_key space            # press "载入"
e2e_wait_list_doubled "$before" after
cmp -s data.txt data.orig || e2e_fail "载入 changed data.txt"

e2e_key Tab Tab space    # "清空", then "保存", pressed
cat data.orig data.orig >data.expected
e2e_wait_file_bytes data.txt data.expected 5
