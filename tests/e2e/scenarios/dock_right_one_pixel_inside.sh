# The right edge docks only when the window touches the screen's right edge:
# at x 1406 (one pixel inside) it stays where it is with the pointer away,
# at x 1407 it docks to x 1917.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
y0=$WY

# Placed by the window manager: a drag would snap to the screen's edge.
e2e_log "move the window to x 1406"
xdotool windowmove "$E2E_WIN" 1406 "$y0"
e2e_wait_main_where "WX == 1406 && WY == y0" 5 "moved to x 1406"

e2e_log "pointer away: the window stays at 1406,$y0"
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
# Here the wait is the check itself: the docking timer ticks every 500 ms, so
# 1.5 s with the pointer away gives it at least two ticks to (wrongly) move
# the window.
end=$(($(date +%s%N) + 1500000000))
while [ "$(date +%s%N)" -lt "$end" ]; do
  e2e_geometry "$E2E_WIN"
  [ "$WX,$WY" = "1406,$y0" ] || e2e_fail "one pixel inside the right edge, with the pointer away, the window moved to $WX,$WY"
  sleep 0.1
done

e2e_log "move it to x 1407 (touching the edge): it docks at 1917"
xdotool windowmove "$E2E_WIN" 1407 "$y0"
e2e_wait_main_where "WX == 1917 && WY == y0" 5 "touching the right edge with the pointer away"
