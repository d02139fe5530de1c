# data.txt held open without sharing by another process at 载入, at 保存 and
# at 删除所有: each says which file it could not read or write and why, the
# list stays as it was (删除所有 still empties it) and the file keeps its
# bytes; once the file is free the same buttons work again.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
# Reading a held file is a sharing violation; replacing it is refused as
# access denied (as on Windows: no FILE_SHARE_DELETE, no rename over it).
in_use=$(e2e_system_message 32)
denied=$(e2e_system_message 5)
e2e_start_main
single=$(e2e_list_text_height single)
[ "$single" -gt 0 ] || e2e_fail "the entries are not listed (see single.png)"

e2e_log "载入 while held"
e2e_hold data.txt
e2e_press_list_button 2
e2e_answer_message "无法读取 data.txt：$in_use" Return
e2e_wait_list_height "H == $single" after_failed_reload
e2e_release
e2e_press_list_button 2
e2e_wait_list_doubled "$single" reloaded
doubled=$(e2e_list_text_height doubled)

e2e_log "保存 while held"
e2e_hold data.txt
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$denied" Return
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .
e2e_wait_list_height "H == $doubled" after_failed_save
e2e_release
e2e_press_list_button 4
cat data.orig data.orig >doubled.txt
e2e_wait_file_bytes data.txt doubled.txt 10
e2e_expect_no_leftover .

e2e_log "删除所有 while held"
e2e_hold data.txt
e2e_open_row_menu 0
e2e_menu_key 3
tips=$(e2e_wait_window '^Tips$' 5) || e2e_fail "no question before deleting all"
e2e_focus "$tips"
e2e_key Return
e2e_answer_message "无法写入 data.txt：$denied" Return
e2e_expect_bytes data.txt doubled.txt
e2e_expect_no_leftover .
e2e_expect_running
e2e_release

e2e_log "the entries are still in the file: 载入 brings them back"
e2e_press_list_button 2
e2e_wait_list_height "H == $doubled" back
e2e_close_unchanged doubled.txt
