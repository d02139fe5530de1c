# The program's folder is on a full file system (a small tmpfs filled up):
# 保存 fails with the system's reason, data.txt keeps its bytes, no partial
# temporary file is left; with room again the same 保存 writes the list.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
dir=$E2E_SCENARIO_DIR/full
mkdir -p "$dir"
e2e_on_exit "umount -l '$dir' 2>/dev/null"
mount -t tmpfs -o size=1m tmpfs "$dir" 2>/dev/null || e2e_fail "cannot mount a small tmpfs here (not permitted?)"
cp data.orig "$dir/data.txt" && cp "$E2E_PROGRAM_EXE" "$dir/Quillet.exe" || e2e_fail "the tmpfs is too small"
dd if=/dev/zero of="$dir/filler" bs=4k 2>/dev/null
[ "$(df --output=avail "$dir" | tail -n 1 | tr -d ' ')" = 0 ] || e2e_fail "the tmpfs still has room: $(df -k "$dir" | tail -n 1)"
full_disk=$(e2e_system_message 112)

e2e_start_main_in "$dir"
cd "$dir" || e2e_fail "no folder $dir"
single=$(e2e_list_text_height single)
[ "$single" -gt 0 ] || e2e_fail "the entries are not listed (see single.png)"
e2e_press_list_button 2
e2e_wait_list_doubled "$single" doubled

e2e_log "保存 on a full disk"
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$full_disk" Return
e2e_expect_bytes data.txt "$E2E_SCENARIO_DIR/data.orig"
e2e_expect_no_leftover .
e2e_expect_running

e2e_log "room again: the same 保存 writes the doubled list"
rm -f filler
e2e_press_list_button 4
cat "$E2E_SCENARIO_DIR/data.orig" "$E2E_SCENARIO_DIR/data.orig" >"$E2E_SCENARIO_DIR/doubled.txt"
e2e_wait_file_bytes data.txt "$E2E_SCENARIO_DIR/doubled.txt" 10
e2e_expect_no_leftover .
e2e_close_unchanged "$E2E_SCENARIO_DIR/doubled.txt"
