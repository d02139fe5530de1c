# The list is a drag source: pressing on an item and moving drags its whole
# line as text; dropped on the editor's target box, it replaces the box's
# text. The target box is one too: its selected text dragged onto the list is
# a drop there, which switches the editor to adding.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
line=$(head -n 1 data.txt | tr -d '\r')

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

e2e_log "edit the second entry: the editor opens, the main window stays"
e2e_open_row_menu 1
e2e_menu_key 1
e2e_wait_editor
e2e_expect_box text2 "$(sed -n 2p data.txt | tr -d '\r' | cut -d: -f2-)"

# The editor opens over the main window, which a press on the list raises
# over it: first the editor goes below the main window, by its blue frame.
e2e_drag $((EX + 200)) $((EY + 10)) 0 300
wx=$WX wy=$WY ww=$WW wh=$WH
e2e_wait_main_where "1" 1
e2e_geometry "$EDITOR"
EX=$WX EY=$WY
WX=$wx WY=$wy WW=$ww WH=$wh
[ "$EY" -ge $((WY + WH)) ] || e2e_fail "the editor did not move below the main window (it is at y=$EY)"
# After a move Wine hands to the window manager, fluxbox takes the next press.
e2e_click $((EX + 200)) $((EY + 10))

e2e_log "drag the first row onto the target box"
read -r tx ty <<<"$(e2e_editor_at text2)"
drag_to $((WX + 120)) "$(e2e_list_row_y 0)" "$tx" "$ty"
e2e_expect_running
e2e_expect_box text2 "$line"

e2e_log "drag part of the target box onto the list: a drop there, in add mode"
e2e_click "$tx" "$ty"
e2e_key Home shift+Right shift+Right shift+Right
drag_to $((tx - 140)) "$ty" $((WX + 120)) "$(e2e_list_row_y 2)"
e2e_wait_main_hidden
e2e_expect_box text2 "${line:0:3}"
