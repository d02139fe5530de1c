# The list is a drag source: pressing on an item and moving drags its whole
# line as text; dropped on the editor's target box, it replaces the box's text.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
line=$(head -n 1 data.txt | tr -d '\r')

e2e_log "edit the second entry: the editor opens, the main window stays"
e2e_open_row_menu 1
e2e_menu_key 1
e2e_wait_editor
e2e_expect_box text2 "$(sed -n 2p data.txt | tr -d '\r' | cut -d: -f2-)"

e2e_log "drag the first row onto the target box"
read -r tx ty <<<"$(e2e_editor_at text2)"
x=$((WX + 120)) y=$(e2e_list_row_y 0)
xdotool mousemove "$x" "$y" mousedown 1
sleep 0.3
for i in $(seq 1 12); do
  xdotool mousemove $((x + (tx - x) * i / 12)) $((y + (ty - y) * i / 12))
  sleep 0.05
done
sleep 0.3
xdotool mouseup 1
e2e_expect_box text2 "$line"
