# Start and look up, along one road: the main window is a borderless 513 x 384
# window of the started process, centred, topmost, without a task-bar button,
# in its colours, listing data.txt ("a:X", "b:Y", ":Z", "a:W"). Every
# matching line opens in file order, case counts, the empty box matches the
# empty keyword, Enter works with any modifier and the box keeps its text.
# An activated window of another program laid over it stays below it.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
[ "$(e2e_window_pid "$E2E_WIN")" = "$E2E_PID" ] || e2e_fail "the main window belongs to pid $(e2e_window_pid "$E2E_WIN"), not $E2E_PID"
[ "${WW}x$WH" = 513x384 ] && { [ "$WX" = 703 ] || [ "$WX" = 704 ]; } && [ "$WY" = 348 ] \
  || e2e_fail "the main window is ${WW}x$WH at $WX,$WY, expected 513x384 at 703 or 704,348"
[ "$(e2e_toplevel "$E2E_WIN")" = "$E2E_WIN" ] || { e2e_geometry "$(e2e_toplevel "$E2E_WIN")"; [ "${WW}x$WH" = 513x384 ]; } \
  || e2e_fail "the window manager framed the window: ${WW}x$WH"
e2e_geometry "$E2E_WIN"
end=$((SECONDS + 3))
until states=$(e2e_net_wm_state "$E2E_WIN"); grep -qx _NET_WM_STATE_ABOVE <<<"$states" && grep -qx _NET_WM_STATE_SKIP_TASKBAR <<<"$states"; do
  [ "$SECONDS" -ge "$end" ] && e2e_fail "not topmost without a task-bar button: _NET_WM_STATE is $(echo $states)"
  sleep 0.1
done
e2e_wait_pixel $((WX + 230)) $((WY + 8)) 14,151,231 5 strip || e2e_fail "the title strip is not rgb(14,151,231)"
e2e_wait_pixel $((WX + 500)) $((WY + 370)) 255,255,0 5 list || e2e_fail "the list is not rgb(255,255,0)"
read -r w h _ <<<"$(e2e_ink_box "$E2E_ARTIFACTS/list.png" $((WX + 6)) $((WY + 25)) 500 352)"
[ "$h" -gt 20 ] && [ "$w" -gt 100 ] || e2e_fail "the list shows no entries (text box ${w}x$h)"

n=0
# look TYPED KEYS... EXPECTED...: types into the emptied box, presses KEYS, expects those launches.
look() {
  local typed=$1 keys=$2; shift 2
  e2e_clear_box
  [ -z "$typed" ] || e2e_type "$typed"
  e2e_key $keys
  e2e_expect_launches "$n" "$@"
  n=$((n + $#))
}
look a Return X.exe W.exe
look 'b a' Return X.exe Y.exe W.exe
look A Return                       # nothing; the next lookup shows it
look '' Return Z.exe
look b shift+Return Y.exe
# The box keeps "b" (retyping right after a Shift chord may give "B" under Wine).
for keys in ctrl+Return alt+Return Return; do
  e2e_key $keys
  e2e_expect_launches "$n" Y.exe
  n=$((n + 1))
done

e2e_log "notepad laid over the main window and activated stays below it"
px=$((WX + 250)) py=$((WY + 300))
e2e_wine_bg 'C:\windows\system32\notepad.exe'
other=$(e2e_wait_window '记事本' 15) || e2e_fail "notepad's window did not appear"
xdotool windowsize "$other" 800 600 windowmove "$other" $((WX - 100)) $((WY - 100))
e2e_focus "$other"
e2e_wait_pixel $((px - 300)) "$py" 255,255,255 5 notepad || e2e_fail "notepad is not drawn beside the main window"
e2e_wait_pixel "$px" "$py" 255,255,0 2 covered || e2e_fail "the activated notepad covers the main window"
[ "$(xdotool getactivewindow)" = "$other" ] || e2e_fail "notepad lost the activation, so the check proved nothing"
