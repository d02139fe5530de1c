# Dragging the main window by its title strip: pressing on the bare strip and
# moving takes the window along by the same amount; pressing on the keyword
# box and moving does not move it. One drag per program start (see e2e_drag).
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
x0=$WX y0=$WY

e2e_log "press on the keyword box and move by +150,+80: no drag"
e2e_drag $((WX + 340)) $((WY + 12)) 150 80
# Whether a move started only shows later: follow up with a real drag by the
# bare strip (between the title and the keyword box) and check the window
# moved by that alone.
e2e_geometry "$E2E_WIN"
e2e_log "after the keyword box: $WX,$WY"
e2e_mouse_to $((WX + 205)) $((WY + 12))
e2e_log "drag by the bare strip by +200,+100"
e2e_drag $((WX + 205)) $((WY + 12)) 200 100
e2e_wait_main_where "WX >= x0 + 198 && WX <= x0 + 202 && WY >= y0 + 98 && WY <= y0 + 102" 5 \
  "pressed on the keyword box and moved by +150,+80, then dragged by the strip by +200,+100 from $x0,$y0"
e2e_log "now at $WX,$WY"

