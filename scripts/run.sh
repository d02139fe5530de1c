#!/usr/bin/env bash
# Builds Quillet.exe and starts it under Wine beside build/run/data.txt (a
# sample is written the first time; your changes stay between runs).
# With DISPLAY set it runs there until you close it with its close icon.
# Without a display it runs on a virtual screen, saves a screenshot, prints
# the PNG's path and closes the program the way a user would.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/deps.sh windows e2e
cmake --preset mingw >/dev/null
cmake --build build/mingw --target Quillet -j"$(nproc)" >/dev/null

run=$root/build/run
env_dir=$root/build/run-env
mkdir -p "$run" "$env_dir/home/.fluxbox" "$env_dir/locale"
cp build/mingw/Quillet.exe "$run/"
if [ ! -f "$run/data.txt" ]; then
  # A few harmless entries, in the ANSI code page (GBK), CR LF after each line.
  printf '记事本:notepad.exe\r\nwin:C:\\windows\r\n网站:https://www.example.org/\r\n' | iconv -f UTF-8 -t GBK >"$run/data.txt"
fi

# Wine in a prefix of its own, made under a Chinese UTF-8 locale so that
# Chinese file names and texts arrive intact.
# The locale is named for Wine alone (`zh`): bash itself can't see a locale
# under LOCPATH and would warn.
export LOCPATH=$env_dir/locale
[ -f "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ] || localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" >/dev/null 2>&1 \
  || [ -f "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ] || { echo "cannot make the zh_CN.UTF-8 locale for Wine" >&2; exit 1; }
zh() { env LC_ALL=zh_CN.UTF-8 "$@"; }
export WINEPREFIX=$env_dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
prepare_prefix() {
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    echo "Creating the Wine prefix (once, about 20 s)..."
    zh wineboot -i >/dev/null 2>&1
    zh wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.ready"
  fi
}

if [ -n "${DISPLAY:-}" ]; then
  prepare_prefix
  cd "$run"
  echo "Quillet is running; close it with the × at the right of its title strip."
  exec env LC_ALL=zh_CN.UTF-8 wine Quillet.exe
fi

# No display: a virtual one with a window manager, a screenshot, a clean close.
export HOME=$env_dir/home
printf 'background: none\n*.font: WenQuanYi Micro Hei-9\n' >"$HOME/.fluxbox/overlay"
pids=()
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
. scripts/display.sh
start_display 1920x1080x24
pids+=("$DISPLAY_PID")
start_window_manager || true
pids+=("$WM_PID")
prepare_prefix

(cd "$run" && exec env LC_ALL=zh_CN.UTF-8 wine Quillet.exe) >/dev/null 2>&1 &
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name '^Vellmar Quillet V1.0$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "The window did not appear." >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 250)) $((Y + 200))  # inside, so the window doesn't dock
sleep 1
import -window root "$run/screenshot.png"
echo "Screenshot: $run/screenshot.png"

# Close it by its close icon, as a user would, and wait for the process to end.
pid=$(xprop -id "$window" _NET_WM_PID | awk '{print $3}')
xdotool mousemove $((X + 500)) $((Y + 11)) click 1
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "The program did not close." >&2; exit 1; fi
echo "Closed cleanly."
