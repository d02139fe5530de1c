# A save never silently overwrites what another program wrote. After a
# deletion data.txt is edited by hand: the close icon asks, and its default
# button (Return) is Cancel, which keeps the program and the hand edit; "保存"
# asks the same and OK overwrites; the close then saves without asking.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
question='data.txt 在读入后已被其他程序修改。\n\n要用列表覆盖它吗？'

full=$(e2e_list_text_height full)
e2e_open_row_menu 0
e2e_menu_key 2
e2e_wait_list_height "H > 0 && H < $full" deleted
printf 'hand:edited\r\n' >>data.txt
cp data.txt data.hand
sed -n '2,$p' data.orig >data.list

e2e_log "close after a hand edit: Return is Cancel"
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_close_icon
e2e_answer_message "$question" Return
e2e_expect_running
e2e_expect_bytes data.txt data.hand

e2e_log "保存 asks too; OK overwrites"
e2e_press_list_button 4
e2e_answer_message "$question" "shift+Tab Return"
e2e_wait_file_bytes data.txt data.list

e2e_log "nothing changed since: the close saves at once"
e2e_close_unchanged data.list
