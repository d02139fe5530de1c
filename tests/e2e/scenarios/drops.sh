# Drops, along one road: a file list dropped on the list hides the main window
# and opens the editor with the first path as target; a text dropped on the
# list does the same with the text; a file list dropped on the editor's target
# box replaces what was typed there; entries made this way are saved on top.
# The list and the target box are drag sources: a row dragged onto the
# target box replaces its text, and part of the box's text dragged onto the
# list is a drop there, which switches the editor to adding.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_witness N.exe
e2e_start_main
n_path=$(e2e_winepath "$E2E_SCENARIO_DIR/N.exe")
line=$(head -n 1 data.txt | tr -d '\r')

# add_dropped X Y KIND VALUE... EXPECTED KEYWORD: drops on the list, checks the editor, adds the entry.
add_dropped() {
  e2e_drop $((WX + 250)) $((WY + 200)) "$1" "$2" ${3:+"$3"}
  e2e_wait_editor
  e2e_wait_main_hidden
  e2e_mouse_to $((EX + 200)) $((EY + 60))
  e2e_expect_box text2 "$4"
  e2e_expect_box text1 ''
  e2e_editor_click text1
  e2e_type "$5"
  e2e_editor_click ok
  e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "OK did not close the editor"
  e2e_wait_main_shown
  e2e_mouse_to $((WX + 250)) $((WY + 200))
}
e2e_log "files, then a text, dropped on the list"
add_dropped files "$n_path" 'C:\second.exe' "$n_path" dn
add_dropped text 'D:\tools\t.exe' '' 'D:\tools\t.exe' dt

e2e_log "files dropped on the editor's target box; the close picture discards"
e2e_open_row_menu 0
e2e_menu_key 0
e2e_wait_editor
e2e_mouse_to $((EX + 200)) $((EY + 60))
e2e_editor_click text2
e2e_type 'typed before'
read -r tx ty <<<"$(e2e_editor_at text2)"
e2e_drop "$tx" "$ty" files 'C:\第一 个.exe' 'C:\second.exe'
e2e_expect_box text2 'C:\第一 个.exe'
e2e_editor_click close
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "the close picture did not close the editor"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))
{ printf 'dt:D:\\tools\\t.exe\r\n'; printf 'dn:%s\r\n' "$n_path"; cat data.orig; } >expected.txt
e2e_close_unchanged expected.txt

# drag_to X Y TX TY: presses at X,Y, moves to TX,TY in steps and releases.
drag_to() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.3
  for i in $(seq 1 12); do
    xdotool mousemove $(($1 + ($3 - $1) * i / 12)) $(($2 + ($4 - $2) * i / 12))
    sleep 0.05
  done
  sleep 0.3
  xdotool mouseup 1
}
e2e_log "drags: 编辑它 on the second row, the editor moved below the main window"
cp data.orig data.txt
e2e_start_main
e2e_open_row_menu 1
e2e_menu_key 1
e2e_wait_editor
# The editor opens over the main window, which a press on the list raises.
e2e_drag $((EX + 200)) $((EY + 10)) 0 300
wx=$WX wy=$WY
e2e_geometry "$EDITOR"
EX=$WX EY=$WY WX=$wx WY=$wy
[ "$EY" -ge $((WY + 384)) ] || e2e_fail "the editor did not move below the main window (it is at y=$EY)"
e2e_click $((EX + 200)) $((EY + 10))   # fluxbox takes the first press after a move
read -r tx ty <<<"$(e2e_editor_at text2)"
drag_to $((WX + 120)) "$(e2e_list_row_y 0)" "$tx" "$ty"
e2e_expect_running
e2e_expect_box text2 "$line"
e2e_click "$tx" "$ty"
e2e_key Home shift+Right shift+Right shift+Right
drag_to $((tx - 140)) "$ty" $((WX + 120)) "$(e2e_list_row_y 2)"
e2e_wait_main_hidden
e2e_expect_box text2 "${line:0:3}"
