# data.txt held open without sharing by another process while the program
# starts: the program says it cannot read it, then shows an empty list and
# goes on. The list lacks the file's entries, so nothing may replace the
# file until a load succeeds: 保存 and the close after an addition are
# refused (the close asks), the file keeps every entry; once the file is
# free, 载入 brings the entries in and the close then saves all of them.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_witness N.exe
in_use=$(e2e_system_message 32)
e2e_hold data.txt
e2e_start_program
e2e_answer_message "无法读取 data.txt：$in_use" Return 20
e2e_wait_main
e2e_wait_list_height 'H == 0' empty
e2e_expect_running
e2e_release

e2e_log "保存 after the failed read, the file free again: refused"
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$E2E_UNREAD" Return
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .

e2e_log "an entry added with the editor, then the close icon: asked, Cancel"
e2e_open_row_menu 0
e2e_menu_key 0
e2e_wait_editor
e2e_editor_click text1
e2e_type n
e2e_key Tab
target=$(e2e_winepath "$E2E_SCENARIO_DIR/N.exe")
e2e_type "$target"
e2e_editor_click ok
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "OK did not close the editor"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_close_icon
e2e_answer_message "无法写入 data.txt：$E2E_UNREAD$E2E_QUIT_ANYWAY" Escape
e2e_expect_running
e2e_expect_bytes data.txt data.orig

e2e_log "载入 brings the entries in; the close then saves the new one and all the old"
e2e_press_list_button 2
e2e_wait_list_height 'H > 0' loaded
e2e_lookup a
e2e_expect_launches 0 X.exe W.exe
{ printf 'n:%s\r\n' "$target"; cat data.orig; } >expected.txt
e2e_close_icon
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
e2e_expect_bytes data.txt expected.txt
e2e_expect_no_leftover .
