# Reaching the program by the keyboard, and where targets start:
# - a target named through an environment variable starts in its own folder;
# - Shift+F10 on the list opens the entry menu below the selected row; in the
#   editor Tab reaches OK, Enter and Escape do nothing there, Space presses it;
# - Ctrl+Shift+F9 from another program brings the docked window out, active,
#   with the keyword box's text selected; it stays out until it loses the
#   activation, and then docks again.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
mkdir -p tools
cp "$E2E_WITNESS_EXE" tools/T.exe || e2e_fail "cannot copy the witness into tools"
export QUILLET_E2E_TOOLS=$(e2e_winepath "$E2E_SCENARIO_DIR/tools")
printf 't:%%QUILLET_E2E_TOOLS%%\\T.exe\r\n' >>data.txt
e2e_start_main

e2e_log "the target starts in its own folder"
e2e_type t
e2e_key Return
e2e_wait_lines tools/witness.cwd 1 || e2e_fail "T.exe did not start"
[ "$(cat tools/witness.cwd)" = "T.exe	$QUILLET_E2E_TOOLS" ] \
  || e2e_fail "T.exe started in the wrong folder: $(cat tools/witness.cwd), expected $QUILLET_E2E_TOOLS"

e2e_log "Shift+F10 on the second row opens the entry menu below it"
e2e_click_keyword_box
e2e_key Tab Home Down
before=$(e2e_popups)
e2e_key shift+F10
end=$((SECONDS + 5)) MENU=
until [ -n "$MENU" ]; do
  MENU=$(e2e_popups | grep -vxF "$before" | head -n 1)
  [ "$SECONDS" -ge "$end" ] && e2e_fail "Shift+F10 on the list opened no menu"
  sleep 0.05
done
e2e_geometry "$MENU"
MX=$WX MY=$WY
e2e_geometry "$E2E_WIN"
row_bottom=$(( $(e2e_list_row_y 1) + E2E_LIST_ROW_HEIGHT / 2 ))
(( MX - WX >= 2 && MX - WX <= 8 && MY - row_bottom >= -3 && MY - row_bottom <= 3 )) \
  || e2e_fail "the menu opened at $MX,$MY; expected about $((WX + 5)),$row_bottom (below row 1)"

e2e_log "新增一个; in the editor Tab reaches OK, Enter and Escape do nothing, Space presses it"
e2e_menu_key 0
e2e_wait_editor
e2e_editor_click text1
e2e_type k
e2e_key Tab
e2e_type 'C:\k.exe'
e2e_key Tab Return Escape
xwininfo -id "$EDITOR" 2>/dev/null | grep -q 'Map State: IsViewable' || e2e_fail "Enter or Escape on OK closed the editor"
e2e_key space
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "Space on OK did not press it"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_press_list_button 4
e2e_wait_lines data.txt 6 || e2e_fail "保存 did not write the new entry"
[ "$(head -n 1 data.txt)" = $'k:C:\\k.exe\r' ] || e2e_fail "data.txt starts with $(head -n 1 data.txt), expected k:C:\\k.exe"

e2e_log "text in the keyword box, the focus on the list, then docked at the top"
e2e_click_keyword_box
e2e_clear_box 40
e2e_type zzz
e2e_key Tab
e2e_dock_cycle 0 $((2 - WY)) "WX == x0 && WY >= 0 && WY <= 4" "WX == x0 && WY == -381" \
  "0 381 $WX 0 513 3" "$((WX + 250)) 1" "WX == x0 && WY == -1"

e2e_log "another program active: Ctrl+Shift+F9 brings the launcher out, ready to type"
e2e_wine_bg notepad.exe
other=$(e2e_wait_window '记事本|Notepad' 15) || e2e_fail "notepad did not open"
e2e_focus "$other"
e2e_key ctrl+shift+F9
e2e_wait_main_where "WY == -1" 5 "the summoning key on a docked window"
# Wine 8 activates the window inside Windows but never asks the window
# manager to move the X focus to a managed window; the X focus is handed over
# here without leaving the launcher first, so Wine sees no new activation:
# the keys then go where the hot key put the focus.
xdotool windowactivate "$E2E_WIN" 2>/dev/null
end=$((SECONDS + 5))
until [ "$(xdotool getactivewindow 2>/dev/null)" = "$E2E_WIN" ]; do
  [ "$SECONDS" -ge "$end" ] && e2e_fail "X did not hand the focus to the launcher"
  sleep 0.05
done
before=$(e2e_log_count witness.log)
e2e_type a  # replaces the selected "zzz"
e2e_key Return
e2e_expect_launches "$before" X.exe W.exe
e2e_clear_box
e2e_key Return  # the empty box: Z, and time for the ticks
e2e_expect_launches $((before + 2)) Z.exe
e2e_geometry "$E2E_WIN"
(( WY == -1 )) || e2e_fail "the summoned window docked while it was active (y $WY)"

e2e_log "the other program active again: the launcher docks"
e2e_focus "$other"
e2e_wait_main_where "WY == -381" 5 "the summoned window after it lost the activation"
