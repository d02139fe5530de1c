# Docking at the right: dragged past the screen's right edge, the window
# hides behind it once the pointer is away, leaving its left 3 columns on
# screen at x 1917; the pointer on that sliver brings it back to x 1408, and
# moving away hides it again.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
before=$E2E_ARTIFACTS/before.png
e2e_shot "$before"
x0=$WX y0=$WY

e2e_log "drag the window right until it reaches past the screen's right edge"
e2e_drag $((WX + 205)) $((WY + 12)) $((1410 - WX)) 0
# With the pointer still over it, a window past the edge is brought to 1408.
e2e_wait_main_where "WY == y0 && WX >= 1407" 5 "dragged right by the strip"
e2e_log "dragged to $WX,$WY"

e2e_log "pointer away: docks at x 1917"
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
e2e_wait_main_where "WX == 1917 && WY == y0" 5 "pointer away from a window at the right"
e2e_expect_sliver docked "$before" "$x0" "$y0" 1917 "$y0" 3 384

e2e_log "pointer on the sliver: back at x 1408"
e2e_mouse_to 1918 $((y0 + 200))
e2e_wait_main_where "WX == 1408 && WY == y0" 5 "pointer on the sliver of the docked window"

e2e_log "pointer away again: docks again"
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
e2e_wait_main_where "WX == 1917 && WY == y0" 5 "pointer away from the revealed window"
