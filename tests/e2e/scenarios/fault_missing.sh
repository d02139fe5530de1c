# No data.txt at start: the list is empty and nothing is said; neither the
# start nor 载入 creates the file; only 保存 does (an empty list is a lone
# line break); a close with nothing changed then leaves it alone.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_start_main

e2e_wait_list_height 'H == 0' start
e2e_log "载入 with the file still missing"
e2e_press_list_button 2
# 保存 follows; had 载入 raised a message box, the box would take these keys.
e2e_expect_no_message
[ ! -e data.txt ] || e2e_fail "data.txt was created without a save"
e2e_expect_running

e2e_log "保存 creates the file"
e2e_key Tab Tab space
printf '\r\n' >expected.txt
e2e_wait_file_bytes data.txt expected.txt 10
e2e_expect_no_message
e2e_expect_no_leftover .
e2e_close_unchanged expected.txt
