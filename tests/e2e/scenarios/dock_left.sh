# Docking at the left: dragged to the screen's left edge, the window hides
# behind it once the pointer is away, leaving its right 3 columns on screen;
# the pointer on that sliver brings it back to x -1, and moving away hides it
# again.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
e2e_dock_cycle $((2 - WX)) 0 "WY == y0 && WX >= 0 && WX <= 4" "WX == -510 && WY == y0" \
  "510 0 0 $WY 3 384" "1 $((WY + 200))" "WX == -1 && WY == y0"
