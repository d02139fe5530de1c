# Faults on data.txt, each with the system's own reason, the file keeping its
# bytes and no temporary file left:
# - missing: an empty list and no message; 载入 creates nothing, 保存 writes
#   a lone line break;
# - held open without sharing by another process at start: "cannot read", an
#   empty list; saving is refused until a load succeeds; then held at 载入,
#   保存 and 删除所有, each refused, and all working again once it is free;
# - read-only in a folder that refuses new files (so no rewrite in place
#   either): 保存 refused; after 删除它 the close asks, Cancel stays, OK ends;
# - on a full disk: 保存 refused; with room again it writes.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
in_use=$(e2e_system_message 32)
denied=$(e2e_system_message 5)
full_disk=$(e2e_system_message 112)

e2e_log "missing"
e2e_start_main
e2e_wait_list_height 'H == 0' start
e2e_press_list_button 2
e2e_expect_no_message
[ ! -e data.txt ] || e2e_fail "data.txt was created without a save"
e2e_key Tab Tab space
printf '\r\n' >cleared.txt
e2e_wait_file_bytes data.txt cleared.txt 10
e2e_expect_no_message
e2e_close_unchanged cleared.txt

e2e_log "held at start, then at 载入, 保存 and 删除所有"
e2e_standard_entries
e2e_hold data.txt
e2e_start_program
e2e_answer_message "无法读取 data.txt：$in_use" Return 20
e2e_wait_main
e2e_wait_list_height 'H == 0' empty
e2e_release
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$E2E_UNREAD" Return
e2e_press_list_button 2
e2e_wait_list_height 'H > 0' loaded
single=$H
e2e_hold data.txt
e2e_press_list_button 2
e2e_answer_message "无法读取 data.txt：$in_use" Return
e2e_wait_list_height "H == $single" not_doubled
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$denied" Return
e2e_open_row_menu 0
e2e_menu_key 3
tips=$(e2e_wait_window '^Tips$' 5) || e2e_fail "no question before deleting all"
e2e_focus "$tips"
e2e_key Return
e2e_answer_message "无法写入 data.txt：$denied" Return
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .
e2e_release
e2e_press_list_button 2
e2e_wait_list_height "H == $single" back
e2e_press_list_button 4
e2e_wait_file_bytes data.txt data.orig 10
e2e_close_unchanged data.orig

e2e_log "read-only in a locked folder"
command -v chattr >/dev/null || e2e_fail "chattr is needed (e2fsprogs)"
dir=$E2E_SCENARIO_DIR/locked
mkdir -p "$dir" && cp data.orig "$dir/data.txt" && cp data.orig "$dir/data.orig"
e2e_set_readonly "$dir/data.txt" on
cp "$E2E_PROGRAM_EXE" "$dir/Quillet.exe"
e2e_on_exit "chattr -i '$dir' 2>/dev/null"
chattr +i "$dir" 2>/dev/null || e2e_fail "this file system has no immutable flag: chattr +i failed"
e2e_start_main_in "$dir"
cd "$dir" || e2e_fail "no folder $dir"
full=$(e2e_list_text_height full)
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$denied" Return
e2e_open_row_menu 0
e2e_menu_key 2
e2e_wait_list_height "H > 0 && H < $full" deleted
e2e_close_icon
e2e_answer_message "无法写入 data.txt：$denied$E2E_QUIT_ANYWAY" Escape
e2e_expect_running
e2e_lookup b
e2e_expect_launches 0 Y.exe
e2e_close_icon
e2e_answer_message "无法写入 data.txt：$denied$E2E_QUIT_ANYWAY" Return
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "OK did not end the program"
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .
e2e_expect_readonly data.txt
cd "$E2E_SCENARIO_DIR" || exit 1

e2e_log "a full disk"
dir=$E2E_SCENARIO_DIR/full
mkdir -p "$dir"
e2e_on_exit "umount -l '$dir' 2>/dev/null"
mount -t tmpfs -o size=1m tmpfs "$dir" 2>/dev/null || e2e_fail "cannot mount a small tmpfs here (not permitted?)"
cp data.orig "$dir/data.txt" && cp "$E2E_PROGRAM_EXE" "$dir/Quillet.exe" || e2e_fail "the tmpfs is too small"
dd if=/dev/zero of="$dir/filler" bs=4k 2>/dev/null
e2e_start_main_in "$dir"
cd "$dir" || e2e_fail "no folder $dir"
single=$(e2e_list_text_height single)
e2e_press_list_button 2
e2e_wait_list_doubled "$single" doubled
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$full_disk" Return
e2e_expect_bytes data.txt "$E2E_SCENARIO_DIR/data.orig"
e2e_expect_no_leftover .
rm -f filler
e2e_press_list_button 4
cat "$E2E_SCENARIO_DIR/data.orig" "$E2E_SCENARIO_DIR/data.orig" >"$E2E_SCENARIO_DIR/doubled.txt"
e2e_wait_file_bytes data.txt "$E2E_SCENARIO_DIR/doubled.txt" 10
e2e_expect_no_leftover .
e2e_close_unchanged "$E2E_SCENARIO_DIR/doubled.txt"
