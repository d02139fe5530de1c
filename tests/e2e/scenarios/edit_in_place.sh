# "编辑它" on the second row opens the editor over the main window with that
# entry's keyword and target; a new target and OK replace the entry in place,
# and the close icon writes the list in order.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_witness N.exe
e2e_start_main

e2e_log "menu on the second row, 编辑它 with the mouse"
e2e_open_row_menu 1
e2e_menu_click 1
e2e_wait_editor
e2e_mouse_to $((EX + 200)) $((EY + 60))
e2e_expect_box text1 b
e2e_expect_box text2 "$(e2e_winepath "$E2E_SCENARIO_DIR/Y.exe")"
xwininfo -id "$E2E_WIN" | grep -q 'Map State: IsViewable' || e2e_fail "the main window was hidden while editing"

e2e_log "new target, OK"
e2e_editor_click text2
e2e_clear_box 120
target=$(e2e_winepath "$E2E_SCENARIO_DIR/N.exe")
e2e_type "$target"
e2e_editor_click ok
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "OK did not close the editor"
e2e_mouse_to $((WX + 250)) $((WY + 200))

e2e_log "close: the second line has the new target"
{ sed -n 1p data.orig; printf 'b:%s\r\n' "$target"; sed -n '3,$p' data.orig; } >expected.txt
e2e_click $((WX + 500)) $((WY + 11))
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
e2e_expect_bytes data.txt expected.txt
