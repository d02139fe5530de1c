# Sourced by run.sh, test.sh and the end-to-end suite: a virtual display and
# a window manager on it.

# start_display GEOMETRY [LOG]: starts Xvfb on a display number it picks
# itself (-displayfd: no race with another run choosing the same number),
# waits until it accepts connections, exports DISPLAY and sets DISPLAY_PID.
# -noreset: the server does not reset when its first client leaves, which
# once made the next client's connection fail.
start_display() {
  local number_file n="" _
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$number_file" >"${2:-/dev/null}" 2>&1 &
  DISPLAY_PID=$!
  for _ in $(seq 200); do
    # Xvfb writes the number and a newline once it listens.
    read -r n <"$number_file" && break
    n=""
    kill -0 "$DISPLAY_PID" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$number_file"
  if [ -z "$n" ]; then
    kill "$DISPLAY_PID" 2>/dev/null
    echo "Xvfb did not start${2:+: $(tail -n 3 "$2")}" >&2
    return 1
  fi
  export DISPLAY=":$n"
}

# start_window_manager [LOG]: starts fluxbox (with $HOME/.fluxbox) and waits
# until it manages the display; sets WM_PID.
start_window_manager() {
  local _
  fluxbox >"${1:-/dev/null}" 2>&1 &
  WM_PID=$!
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$WM_PID" 2>/dev/null || break
    sleep 0.05
  done
  echo "fluxbox did not come up${1:+: $(tail -n 3 "$1")}" >&2
  return 1
}
