# Docking at the top: dragged to the screen's top edge, the window hides
# behind it once the pointer is away, leaving its bottom 3 rows on screen; the
# pointer on that sliver brings it back to y -1, and moving away hides it again.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
before=$E2E_ARTIFACTS/before.png
e2e_shot "$before"
x0=$WX y0=$WY

e2e_log "drag the window up until its top is at the screen's top"
e2e_drag $((WX + 205)) $((WY + 12)) 0 $((2 - WY))
e2e_wait_main_where "WX == x0 && WY >= 0 && WY <= 4" 5 "dragged up by the strip"
e2e_log "dragged to $WX,$WY"

e2e_log "pointer away: docks at y -381"
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
e2e_wait_main_where "WX == x0 && WY == -381" 5 "pointer away from a window at the top"
e2e_expect_sliver docked "$before" "$x0" $((y0 + 381)) "$x0" 0 513 3

e2e_log "pointer on the sliver: back at y -1"
e2e_mouse_to $((x0 + 250)) 1
e2e_wait_main_where "WX == x0 && WY == -1" 5 "pointer on the sliver of the docked window"

e2e_log "pointer away again: docks again"
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
e2e_wait_main_where "WX == x0 && WY == -381" 5 "pointer away from the revealed window"
