# The entry menu closes without a command on Escape and on a click elsewhere;
# the main window then has the keyboard again and nothing changed.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main

e2e_log "Escape"
e2e_open_row_menu 0
e2e_key Escape
e2e_wait_menu_gone
e2e_log "a click on the desktop beside the window"
e2e_open_row_menu 2
e2e_click $((WX - 100)) $((WY + 100))
e2e_wait_menu_gone
[ -z "$(e2e_find_windows "^$E2E_EDITOR_TITLE\$")" ] || e2e_fail "a dismissed menu opened the editor"
e2e_mouse_to $((WX + 250)) $((WY + 200))

e2e_log "the keyword box still takes Enter"
e2e_focus "$E2E_WIN"
e2e_click $((WX + 330)) $((WY + 11))
e2e_type a
e2e_key Return
e2e_expect_launches 0 X.exe W.exe
e2e_click $((WX + 500)) $((WY + 11))
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
e2e_expect_bytes data.txt data.orig
