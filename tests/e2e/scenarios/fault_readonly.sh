# data.txt carries the read-only attribute: 保存 is refused with the system's
# reason, the list and the file stay as they were; after a deletion by the
# menu the close icon asks before quitting: Cancel keeps the program and its
# list, OK ends it; data.txt keeps its bytes and its attribute throughout.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_set_readonly data.txt on
denied=$(e2e_system_message 5)
e2e_start_main
full=$(e2e_list_text_height full)
[ "$full" -gt 0 ] || e2e_fail "the entries are not listed (see full.png)"

e2e_log "保存 is refused"
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$denied" Return
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .
e2e_expect_running
e2e_wait_list_height "H == $full" kept

e2e_log "删除它 on the first row, then the close icon: Cancel"
e2e_open_row_menu 0
e2e_menu_key 2
e2e_wait_list_height "H > 0 && H < $full" deleted
fewer=$H
e2e_close_icon
e2e_answer_message "无法写入 data.txt：$denied$E2E_QUIT_ANYWAY" Escape
e2e_expect_running
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .
e2e_wait_list_height "H == $fewer" still_deleted
# Still working: a lookup reads the file.
e2e_lookup b
e2e_expect_launches 0 Y.exe

e2e_log "the close icon again: OK ends the program"
e2e_close_icon
e2e_answer_message "无法写入 data.txt：$denied$E2E_QUIT_ANYWAY" Return
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "OK did not end the program"
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .
e2e_expect_readonly data.txt
