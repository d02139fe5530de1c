# Docking at the top: dragged to the screen's top edge, the window hides
# behind it once the pointer is away, leaving its bottom 3 rows on screen; the
# pointer on that sliver brings it back to y -1, and moving away hides it again.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
e2e_dock_cycle 0 $((2 - WY)) "WX == x0 && WY >= 0 && WY <= 4" "WX == x0 && WY == -381" \
  "0 381 $WX 0 513 3" "$((WX + 250)) 1" "WX == x0 && WY == -1"
