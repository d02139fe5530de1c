# Docking at the left: dragged to the screen's left edge, the window hides
# behind it once the pointer is away, leaving its right 3 columns on screen;
# the pointer on that sliver brings it back to x -1, and moving away hides it
# again.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
before=$E2E_ARTIFACTS/before.png
e2e_shot "$before"
x0=$WX y0=$WY

e2e_log "drag the window left until its left is at the screen's left"
e2e_drag $((WX + 205)) $((WY + 12)) $((2 - WX)) 0
e2e_wait_main_where "WY == y0 && WX >= 0 && WX <= 4" 5 "dragged left by the strip"
e2e_log "dragged to $WX,$WY"

e2e_log "pointer away: docks at x -510"
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
e2e_wait_main_where "WX == -510 && WY == y0" 5 "pointer away from a window at the left"
e2e_expect_sliver docked "$before" $((x0 + 510)) "$y0" 0 "$y0" 3 384

e2e_log "pointer on the sliver: back at x -1"
e2e_mouse_to 1 $((y0 + 200))
e2e_wait_main_where "WX == -1 && WY == y0" 5 "pointer on the sliver of the docked window"

e2e_log "pointer away again: docks again"
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
e2e_wait_main_where "WX == -510 && WY == y0" 5 "pointer away from the revealed window"
