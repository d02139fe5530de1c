# data.txt is a folder (with a file in it): start-up and 载入 say it cannot
# be read, 保存 refuses to write what was not read, a lookup opens nothing,
# and the program goes on; the folder and its content survive, no temporary file is
# left, and the close icon ends the program.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
mkdir data.txt
printf 'keep me\r\n' >data.txt/inside.txt
denied=$(e2e_system_message 5)
e2e_start_program
e2e_answer_message "无法读取 data.txt：$denied" Return 20
e2e_wait_main
e2e_wait_list_height 'H == 0' empty

e2e_press_list_button 2
e2e_answer_message "无法读取 data.txt：$denied" Return
e2e_lookup w
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$E2E_UNREAD" Return
e2e_expect_running
e2e_expect_no_leftover .
[ -d data.txt ] && [ "$(cat data.txt/inside.txt)" = $'keep me\r' ] || e2e_fail "the folder data.txt or its content changed"
[ "$(ls -A data.txt)" = inside.txt ] || e2e_fail "the folder data.txt holds: $(ls -A data.txt)"
e2e_close_icon
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
[ -d data.txt ] || e2e_fail "the folder data.txt is gone"
