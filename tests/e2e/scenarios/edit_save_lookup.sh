# An entry added in the editor lives in the list only: Enter does not find it
# until "保存" (the fourth Tab stop from the keyword box) has written the file.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_witness N.exe
e2e_start_main
n_path=$(e2e_winepath "$E2E_SCENARIO_DIR/N.exe")

e2e_open_row_menu 0
e2e_menu_key 0
e2e_wait_editor
e2e_mouse_to $((EX + 200)) $((EY + 60))
e2e_editor_click text1
e2e_type zz
e2e_key Tab
e2e_type "$n_path"
e2e_editor_click ok
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "OK did not close the editor"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_focus "$E2E_WIN"

e2e_log "not saved: 'zz' opens nothing ('a' after it opens X and W alone)"
e2e_type zz
e2e_key Return
e2e_clear_box
e2e_type a
e2e_key Return
e2e_expect_launches 0 X.exe W.exe
cmp -s data.txt data.orig || e2e_fail "data.txt changed before 保存"

e2e_log "保存, then 'zz' opens N"
e2e_clear_box
e2e_key Tab Tab Tab Tab space
{ printf 'zz:%s\r\n' "$n_path"; cat data.orig; } >expected.txt
e2e_wait_file_bytes data.txt expected.txt 5
e2e_click $((WX + 330)) $((WY + 11))
e2e_clear_box
e2e_type zz
e2e_key Return
e2e_expect_launches 2 N.exe
