# Docking and dragging, one program start per edge (one drag per start, see
# e2e_drag). Top: a press on the keyword box that moves drags nothing; the
# bare strip drags the window to the top edge, it docks behind it with the
# pointer away leaving its bottom 3 rows, comes back to y -1 when the pointer
# touches them, and docks again. Left: the title label drags it there, it
# leaves its right 3 columns and comes back to x -1. Right: placed one pixel
# inside the edge it stays; touching the edge it docks at x 1917 and comes
# back to x 1408.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries

e2e_log "top"
e2e_start_main
x0=$WX y0=$WY
e2e_drag $((WX + 340)) $((WY + 12)) 150 80
e2e_geometry "$E2E_WIN"
[ "$WX,$WY" = "$x0,$y0" ] || e2e_fail "a press on the keyword box moved the window to $WX,$WY"
e2e_dock_cycle 0 $((2 - WY)) "WX == x0 && WY >= 0 && WY <= 4" "WX == x0 && WY == -381" \
  "0 381 $WX 0 513 3" "$((WX + 250)) 1" "WX == x0 && WY == -1"
e2e_kill_program

e2e_log "left, by the title label"
e2e_start_main
E2E_DRAG_AT=100 e2e_dock_cycle $((2 - WX)) 0 "WY == y0 && WX >= 0 && WX <= 4" "WX == -510 && WY == y0" \
  "510 0 0 $WY 3 384" "1 $((WY + 200))" "WX == -1 && WY == y0"
e2e_kill_program

e2e_log "right: one pixel inside stays, touching docks"
e2e_start_main
y0=$WY
xdotool windowmove "$E2E_WIN" 1406 "$y0"   # by the window manager: a drag would snap to the edge
e2e_wait_main_where "WX == 1406 && WY == y0" 5 "moved to x 1406"
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
# The wait is the check: at least two ticks of the 500 ms timer may (wrongly) move it.
end=$(($(date +%s%N) + 1500000000))
while [ "$(date +%s%N)" -lt "$end" ]; do
  e2e_geometry "$E2E_WIN"
  [ "$WX,$WY" = "1406,$y0" ] || e2e_fail "one pixel inside the right edge, the window moved to $WX,$WY"
  sleep 0.1
done
xdotool windowmove "$E2E_WIN" 1407 "$y0"
e2e_wait_main_where "WX == 1917 && WY == y0" 5 "touching the right edge with the pointer away"
e2e_mouse_to 1918 $((y0 + 200))
e2e_wait_main_where "WX == 1408 && WY == y0" 5 "pointer on the right sliver"
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
e2e_wait_main_where "WX == 1917 && WY == y0" 5 "pointer away again"
