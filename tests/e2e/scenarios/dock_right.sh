# Docking at the right: dragged past the screen's right edge, the window
# hides behind it once the pointer is away, leaving its left 3 columns on
# screen at x 1917; the pointer on that sliver brings it back to x 1408, and
# moving away hides it again. (With the pointer still over it after the drag,
# a window past the edge is already brought to 1408.)
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
e2e_dock_cycle $((1410 - WX)) 0 "WY == y0 && WX >= 1407" "WX == 1917 && WY == y0" \
  "0 0 1917 $WY 3 384" "1918 $((WY + 200))" "WX == 1408 && WY == y0"
