# "清空" (third Tab stop) empties the list and leaves data.txt alone; closing
# afterwards with nothing else changed does not write the empty list.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main

[ "$(e2e_list_text_height before)" -gt 0 ] || e2e_fail "the list shows no entries at start (see before.png)"
e2e_key Tab Tab Tab space
end=$((SECONDS + 5))
until [ "$(e2e_list_text_height after)" = 0 ]; do
  [ "$SECONDS" -ge "$end" ] && e2e_fail "the list still shows text after 清空 (see after.png)"
  sleep 0.1
done
cmp -s data.txt data.orig || e2e_fail "清空 changed data.txt"

e2e_click $((WX + 500)) $((WY + 11))
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
e2e_expect_bytes data.txt data.orig
