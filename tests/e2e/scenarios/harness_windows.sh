# The window tools of the harness, on Wine's own notepad: a window is found by
# its name, its _NET_WM_PID is the PID the harness recorded, it takes typed
# ASCII and pasted Chinese, and it goes away when its process is ended.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin

e2e_wine_bg 'C:\windows\system32\notepad.exe'
pid=$E2E_BG_PID
win=$(e2e_wait_window '记事本' 15) || e2e_fail "notepad's window did not appear"
[ "$(e2e_window_pid "$win")" = "$pid" ] || e2e_fail "_NET_WM_PID is $(e2e_window_pid "$win"), the harness recorded $pid"

e2e_geometry "$win"
e2e_mouse_to $((WX + WW / 2)) $((WY + WH / 2))
e2e_focus "$win"
e2e_type 'ab1'
e2e_paste '关键字'
e2e_key ctrl+a ctrl+c
end=$((SECONDS + 5))
until [ "$(xclip -selection clipboard -o 2>/dev/null)" = 'ab1关键字' ]; do
  [ "$SECONDS" -ge "$end" ] && e2e_fail "notepad holds \"$(xclip -selection clipboard -o 2>/dev/null)\", expected ab1关键字"
  sleep 0.1
done

kill "$pid"
e2e_wait_exit "$pid" 5 || e2e_fail "notepad did not end on SIGTERM"
e2e_wait_window_gone "$win" 5 || e2e_fail "notepad's window stayed after its process ended"
