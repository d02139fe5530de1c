# The program's folder refuses new files and renames (the immutable flag,
# the one lock root cannot walk past) and data.txt is read-only, so it can't
# be rewritten in place either: 保存 fails with the system's reason and the
# file keeps its bytes and its attribute; after a deletion the close icon
# asks, and OK ends the program with data.txt as it was.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
command -v chattr >/dev/null || e2e_fail "chattr is needed (e2fsprogs)"
e2e_standard_entries
dir=$E2E_SCENARIO_DIR/locked
mkdir -p "$dir"
cp data.orig "$dir/data.txt"
cp data.orig "$dir/data.orig"
e2e_set_readonly "$dir/data.txt" on
cp "$E2E_PROGRAM_EXE" "$dir/Quillet.exe"
e2e_on_exit "chattr -i '$dir' 2>/dev/null"
chattr +i "$dir" 2>/dev/null || e2e_fail "this file system has no immutable flag: chattr +i failed"
touch "$dir/probe" 2>/dev/null && e2e_fail "the locked folder still takes new files"
denied=$(e2e_system_message 5)

e2e_start_main_in "$dir"
cd "$dir" || e2e_fail "no folder $dir"
full=$(e2e_list_text_height full)
[ "$full" -gt 0 ] || e2e_fail "the entries are not listed (see full.png)"

e2e_log "保存 of a read-only file in a locked folder"
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$denied" Return
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .
e2e_expect_running

e2e_log "删除它, then the close icon: OK quits without the change"
e2e_open_row_menu 0
e2e_menu_key 2
e2e_wait_list_height "H > 0 && H < $full" deleted
e2e_close_icon
e2e_answer_message "无法写入 data.txt：$denied$E2E_QUIT_ANYWAY" Return
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "OK did not end the program"
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .
e2e_expect_readonly data.txt
