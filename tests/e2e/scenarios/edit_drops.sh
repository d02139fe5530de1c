# Real OLE drops: a file list dropped on the list opens the editor (main
# window hidden) with the first path as target; a file list dropped on the
# editor's target box replaces its text; a text dropped on the list opens the
# editor with that text. Entries made this way are saved like typed ones.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_witness N.exe
e2e_start_main
n_path=$(e2e_winepath "$E2E_SCENARIO_DIR/N.exe")

e2e_log "files dropped on the list"
e2e_drop $((WX + 250)) $((WY + 200)) files "$n_path" 'C:\second.exe'
e2e_wait_editor
e2e_wait_main_hidden
e2e_mouse_to $((EX + 200)) $((EY + 60))
e2e_expect_box text2 "$n_path"
e2e_expect_box text1 ''
e2e_editor_click text1
e2e_type dn
e2e_editor_click ok
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "OK did not close the editor"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))

e2e_log "files dropped on the editor's target box"
e2e_open_row_menu 0
e2e_menu_key 0
e2e_wait_editor
e2e_mouse_to $((EX + 200)) $((EY + 60))
e2e_editor_click text2
e2e_type 'typed before'
read -r x y <<<"$(e2e_editor_at text2)"
e2e_drop "$x" "$y" files 'C:\第一 个.exe' 'C:\second.exe'
e2e_expect_box text2 'C:\第一 个.exe'
e2e_editor_click close
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "the close picture did not close the editor"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))

e2e_log "text dropped on the list"
e2e_drop $((WX + 250)) $((WY + 200)) text 'D:\tools\t.exe'
e2e_wait_editor
e2e_wait_main_hidden
e2e_mouse_to $((EX + 200)) $((EY + 60))
e2e_expect_box text2 'D:\tools\t.exe'
e2e_editor_click text1
e2e_type dt
e2e_editor_click ok
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "OK did not close the editor"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))

e2e_log "close: both new entries first, the latest on top"
{ printf 'dt:D:\\tools\\t.exe\r\n'; printf 'dn:%s\r\n' "$n_path"; cat data.orig; } >expected.txt
e2e_click $((WX + 500)) $((WY + 11))
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
e2e_expect_bytes data.txt expected.txt
