# The main window stays above a window of another program that covers it and
# is activated after it (here Wine's notepad): the screen still shows the
# main window's yellow list where both windows lie.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
px=$((WX + 250)) py=$((WY + 300))   # in the list, below its four entries
e2e_wait_pixel "$px" "$py" 255,255,0 5 before || e2e_fail "the list is not drawn"

e2e_wine_bg 'C:\windows\system32\notepad.exe'
other=$(e2e_wait_window '记事本' 15) || e2e_fail "notepad's window did not appear"
# Lay notepad over the whole main window, then give it the focus.
xdotool windowsize "$other" 800 600 windowmove "$other" $((WX - 100)) $((WY - 100))
end=$((SECONDS + 5))
while :; do
  e2e_geometry "$other"
  [ "$WX" -le $((px - 50)) ] && [ "$WY" -le $((py - 50)) ] \
    && [ $((WX + WW)) -ge $((px + 50)) ] && [ $((WY + WH)) -ge $((py + 50)) ] && break
  [ "$SECONDS" -ge "$end" ] && e2e_fail "notepad could not be laid over the main window (it is ${WW}x${WH} at $WX,$WY)"
  sleep 0.1
done
e2e_focus "$other"
# Notepad is raised and painted: its white page shows beside the main window.
e2e_wait_pixel $((px - 300)) "$py" 255,255,255 5 notepad || e2e_fail "notepad is not drawn beside the main window"

e2e_wait_pixel "$px" "$py" 255,255,0 2 after \
  || e2e_fail "the activated notepad covers the main window (see after.png): the main window is not kept on top"
[ "$(xdotool getactivewindow)" = "$other" ] || e2e_fail "notepad lost the activation, so the check proved nothing"
