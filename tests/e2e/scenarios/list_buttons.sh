# The list buttons beyond the visible area, reached by Tab, and the close
# icon: closing right after the start, or after "载入" (which doubles the
# list), leaves data.txt byte for byte as it was; "保存" writes the doubled
# list, CR LF after each line; "清空" empties the list alone, and a close
# with nothing else changed does not write the empty list.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
e2e_close_unchanged data.orig
e2e_wait_window_gone "$E2E_WIN" 5 || e2e_fail "the window stayed after the process ended"

e2e_start_main
single=$(e2e_list_text_height single)
e2e_key Tab Tab space                 # 载入
e2e_wait_list_doubled "$single" doubled
e2e_close_unchanged data.orig

e2e_start_main
e2e_key Tab Tab space                 # 载入
e2e_wait_list_doubled "$single" doubled
cmp -s data.txt data.orig || e2e_fail "载入 changed data.txt"
e2e_key Tab Tab space                 # 保存
cat data.orig data.orig >doubled.txt
e2e_wait_file_bytes data.txt doubled.txt 5
e2e_key shift+Tab space               # 清空
e2e_wait_list_height 'H == 0' cleared
e2e_close_unchanged doubled.txt
