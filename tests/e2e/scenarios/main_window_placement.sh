# The main window: its name, a borderless 513 x 384 window centred on the
# 1920 x 1080 screen, owned by the started process, topmost and without a
# task-bar button.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main

[ "$(e2e_window_pid "$E2E_WIN")" = "$E2E_PID" ] \
  || e2e_fail "_NET_WM_PID of the main window is $(e2e_window_pid "$E2E_WIN"), the program's PID is $E2E_PID"

e2e_log "geometry ${WW}x${WH} at $WX,$WY"
[ "$WW" = 513 ] && [ "$WH" = 384 ] || e2e_fail "size is ${WW}x${WH}, expected 513x384"
{ [ "$WX" = 703 ] || [ "$WX" = 704 ]; } && [ "$WY" = 348 ] \
  || e2e_fail "top-left is $WX,$WY, expected 703 or 704, 348 (centred)"

# Borderless: the window manager's frame, if any, adds nothing around it.
top=$(e2e_toplevel "$E2E_WIN")
if [ "$top" != "$E2E_WIN" ]; then
  frame=$(xwininfo -id "$top" | awk '/-geometry/ {print $2}')
  e2e_geometry "$top"
  [ "$WW" = 513 ] && [ "$WH" = 384 ] || e2e_fail "the frame around the window is ${WW}x${WH} ($frame): it has a border or title bar"
fi

# Wine sets these states through the window manager: poll for them.
missing=()
end=$((SECONDS + 3))
while :; do
  states=$(e2e_net_wm_state "$E2E_WIN")
  missing=()
  grep -qx _NET_WM_STATE_ABOVE <<<"$states" || missing+=("_NET_WM_STATE_ABOVE (topmost)")
  grep -qx _NET_WM_STATE_SKIP_TASKBAR <<<"$states" || missing+=("_NET_WM_STATE_SKIP_TASKBAR (no task-bar button)")
  [ ${#missing[@]} -eq 0 ] || [ "$SECONDS" -ge "$end" ] && break
  sleep 0.1
done
e2e_log "_NET_WM_STATE: $(echo $states)"
[ ${#missing[@]} -eq 0 ] || e2e_fail "missing $(printf '%s, ' "${missing[@]}" | sed 's/, $//'); _NET_WM_STATE is \"$(echo $states)\""
