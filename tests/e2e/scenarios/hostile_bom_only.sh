# data.txt is nothing but the UTF-8 byte-order mark: an empty list and no
# message; a lookup opens nothing; a close with nothing changed leaves the
# three bytes; 保存 keeps the file UTF-8 with its mark (mark, then the lone
# line break of an empty list).
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
printf '\xef\xbb\xbf' >data.txt
cp data.txt data.orig
e2e_start_main
e2e_wait_list_height 'H == 0' empty
e2e_expect_no_message
e2e_lookup w
e2e_expect_running
e2e_close_unchanged data.orig
[ ! -e witness.log ] || e2e_fail "something was launched: $(cat witness.log)"

e2e_log "保存 keeps the mark"
e2e_start_main
e2e_press_list_button 4
printf '\xef\xbb\xbf\r\n' >expected.txt
e2e_wait_file_bytes data.txt expected.txt 10
e2e_expect_no_leftover .
e2e_close_unchanged expected.txt
