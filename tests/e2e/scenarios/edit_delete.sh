# "删除它" removes the clicked entry from the list; the close icon then writes
# the others in order.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main

e2e_open_row_menu 1
e2e_menu_key 2
{ sed -n 1p data.orig; sed -n '3,$p' data.orig; } >expected.txt
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_focus "$E2E_WIN"
e2e_click $((WX + 500)) $((WY + 11))
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
e2e_expect_bytes data.txt expected.txt
