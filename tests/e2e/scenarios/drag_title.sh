# Dragging the main window by its title label: pressing on the label and
# moving takes the window along by the same amount.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
x0=$WX y0=$WY

e2e_log "drag by the title label by -300,-200"
e2e_drag $((WX + 100)) $((WY + 12)) -300 -200
e2e_wait_main_where "WX >= x0 - 302 && WX <= x0 - 298 && WY >= y0 - 202 && WY <= y0 - 198" 5 \
  "dragged by the title label by -300,-200 from $x0,$y0"
e2e_log "now at $WX,$WY"
