# Shared by run.sh (the suite's set-up and tear-down) and every journey
# (driving the program and checking what it did). Everything lives under
# build/e2e/; processes are ended only by their PID.
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ROOT=${E2E_ROOT:-$REPO/build/e2e}
EXE=${E2E_PROGRAM_EXE:-$REPO/build/mingw/Quillet.exe}
HELPER=$REPO/build/mingw/tests/e2e/helper.exe
MAIN='^Vellmar Quillet V1\.0$' APP='Vellmar的Quillet'
. "$REPO/scripts/display.sh"

# ------------------------------------------------------------ the suite

# suite_up: locale, HOME, Wine prefix, Xvfb, fluxbox, a persistent wineserver.
suite_up() {
  mkdir -p "$ROOT/bin" "$ROOT/home/.fluxbox" "$ROOT/xdg" "$ROOT/locale" && chmod 700 "$ROOT/xdg" || return 1
  export LOCPATH=$ROOT/locale HOME=$ROOT/home WINEPREFIX=$ROOT/prefix WINEDEBUG=-all \
    WINEDLLOVERRIDES=winemenubuilder.exe=d XDG_RUNTIME_DIR=$ROOT/xdg PATH=$ROOT/bin:$PATH
  unset WINESERVER WINELOADER
  [ -f "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ] || localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" >/dev/null 2>&1
  [ -f "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ] || { echo "localedef failed" >&2; return 1; }
  export LC_ALL=zh_CN.UTF-8
  # The window manager draws title bars in a font that has Chinese.
  printf 'background: none\n*.font: WenQuanYi Micro Hei-9\n' >"$HOME/.fluxbox/overlay"
  # A browser that only records what it was asked to open.
  printf '#!/bin/sh\necho "$*" >>"$E2E_DIR/xdg-open.log"\n' >"$ROOT/bin/xdg-open" && chmod +x "$ROOT/bin/xdg-open"
  # A wineserver left by an interrupted run would keep the old display.
  wineserver -k 2>/dev/null; wineserver -w
  start_display 1920x1080x24 "$ROOT/xvfb.log" && echo "TERM $DISPLAY_PID" >"$ROOT/suite.pids" || return 1
  # Ctrl+Alt+F keys reach the programs as keys (the summoning key), not as
  # the server's console switch, which would swallow them.
  setxkbmap -option srvrkeys:none 2>/dev/null
  start_window_manager "$ROOT/fluxbox.log"; local up=$?
  echo "KILL $WM_PID" >>"$ROOT/suite.pids"  # fluxbox ignores SIGTERM
  [ $up = 0 ] || return 1
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 && wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /d N /f >/dev/null 2>&1 \
      && wineserver -w && touch "$WINEPREFIX/.ready" || { echo "cannot make the Wine prefix" >&2; return 1; }
  fi
  wineserver -p
}

# suite_down: ends the wineserver, then fluxbox and Xvfb.
suite_down() {
  wineserver -k 2>/dev/null; wineserver -w
  tac "$ROOT/suite.pids" | while read -r signal pid; do kill -"$signal" "$pid" && timeout 5 tail --pid="$pid" -f /dev/null; done
}

# ------------------------------------------------------------ a journey

# begin: enters the journey's folder; what the journey starts ends with it.
begin() {
  cd "${E2E_DIR:?run journeys through tests/e2e/run.sh}" || exit 2
  AT_EXIT=
  trap 'exit 130' INT TERM
  trap 'for p in $(cat "$E2E_DIR/.pids" 2>/dev/null); do kill $p 2>/dev/null; done; eval "$AT_EXIT"' EXIT
}
# at_exit COMMAND: runs COMMAND however the journey ends (unmounting, ...).
at_exit() { AT_EXIT+="$1;"; }
# fail MESSAGE: says why the journey failed, keeps a screenshot, ends it.
fail() { echo "FAILED: $*" >&2; import -window root "$ART/failure.png" 2>/dev/null; exit 1; }
# retry WHAT: records a second try of the harness's own (a lost click, say).
retry() { echo "$(basename "$E2E_DIR"): $*, tried again" >>"$ROOT/retries.log"; }

# poll SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds and
# prints its output; returns 1 with its last output when time is up.
poll() {
  local end=$((SECONDS + $1)) out
  until out=$("${@:2}" 2>&1); do [ $SECONDS -lt $end ] || { echo "$out"; return 1; }; sleep 0.1; done
  echo "$out"
}
# within SECONDS WHAT COMMAND...: poll, failing the journey with WHAT. Inside
# $(...) follow it with "|| exit 1". check WHAT COMMAND...: at once.
within() { local out; out=$(poll "$1" "${@:3}") && { [ -z "$out" ] || echo "$out"; } || fail "$2${out:+ ($out)}"; }
check() { within 0 "$@"; }

# spawn COMMAND...: starts COMMAND in the background, tracked; sets BG.
spawn() { "$@" >>"$ART/wine.out" 2>&1 & BG=$! && echo $BG >>"$E2E_DIR/.pids"; }
# gone PID: the process has ended (a child of this shell may be a zombie).
gone() { ! kill -0 "$1" 2>/dev/null || ps -o stat= -p "$1" | grep -q Z; }
# wpath PATH: the Windows name of a Unix path (Wine's drive Z: is /).
wpath() { local p; p=$(realpath -ms "$1"); echo "Z:${p//\//\\}"; }
# same FILE EXPECTED: FILE holds exactly EXPECTED's bytes.
same() { cmp "$1" "$2" >/dev/null 2>&1 || { echo "$1 differs from $2: $(cmp "$1" "$2" 2>&1)"; return 1; }; }
# holds EXPECTED: data.txt comes to hold EXPECTED's bytes, with no temporary file left.
holds() { within 10 "data.txt should hold $1" same data.txt "$1" && check "no temporary file is left" test ! -e data.txt.saving; }

# entries: targets X, Y, Z, W (copies of the helper that record their own
# start) and data.txt "a:X", "b:Y", ":Z", "a:W" (kept as data.orig).
entries() {
  for n in X Y Z W; do cp "$HELPER" $n.exe || fail "no helper.exe: cmake --build build/mingw"; done
  printf '%s\r\n' "a:$(wpath X.exe)" "b:$(wpath Y.exe)" ":$(wpath Z.exe)" "a:$(wpath W.exe)" >data.txt
  cp data.txt data.orig
}
# launches NAME...: the targets started so far are exactly NAME..., in the
# order their processes were created.
launches() { within 5 "$* should start" eval "[ \"\$(sort -n witness.log 2>/dev/null | cut -d' ' -f2 | xargs)\" = '$*' ]"; }

# ------------------------------------------------------------ the program and its windows

# start [DIR [SECONDS]]: starts Quillet.exe, copied into DIR (the journey's
# folder), and waits for its main window (WIN, at WX WY, WW x WH); sets PID.
start() { launch "${1:-.}" && main_window "${2:-15}"; }
launch() {
  [ -f "$1/Quillet.exe" ] || cp "$EXE" "$1/Quillet.exe" || fail "no $EXE: cmake --build build/mingw"
  spawn bash -c 'cd "$1" && exec wine Quillet.exe' - "$1" && PID=$BG
}
# main_window [SECONDS]: the pointer inside the main window, which has the focus.
main_window() {
  WIN=$(within "${1:-15}" "the main window should show" window "$MAIN") || exit 1
  read -r WX WY WW WH <<<"$(geom "$WIN")"
  xdotool mousemove $((WX + 250)) $((WY + 200))
  focus "$WIN"
}
close_icon() { click $((WX + 500)) $((WY + 11)); }
# closes_to EXPECTED: the close icon ends the program without a question,
# leaving data.txt with EXPECTED's bytes.
closes_to() { close_icon; within 20 "the close icon should end the program" gone "$PID"; holds "$1"; }

# window REGEX: the id of a visible window so named (the last one found).
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1 | grep .; }
geom() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
    /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}
# at ID CONDITION: the arithmetic CONDITION on the window's x y w h holds.
at() { local x y w h; read -r x y w h <<<"$(geom "$1")"; (( $2 )) || { echo "it is ${w}x$h at $x,$y"; return 1; }; }
shown() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
hidden() { ! shown "$1"; }
# focus ID: the X focus to the root window, then to ID until X reports ID
# active: Wine then sees a fresh activation even when ID had the focus.
focus() {
  xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ {print $4}')" 2>/dev/null
  within 5 "window $1 should become active" eval "xdotool windowactivate $1 2>/dev/null;
    [ \"\$(xdotool getactivewindow)\" = $1 ] && [ \"\$(xdotool getwindowfocus)\" = $1 ]"
}
# pixel X Y COLOUR: the screen shows COLOUR ("srgb(r,g,b)") at X,Y.
pixel() {
  import -window root "$ART/pixel.png" && convert "$ART/pixel.png" -format "%[pixel:p{$1,$2}]" info: | grep -qxF "$3"
}
# listed: the main window's list shows text (more than one colour).
listed() {
  import -window root "$ART/list.png"
  [ "$(convert "$ART/list.png" -crop 500x352+$((WX + 6))+$((WY + 25)) +repage -format %k info:)" -gt 1 ]
}

# ------------------------------------------------------------ input

key() { xdotool key --delay 60 "$@"; }
typ() { xdotool type --delay 30 -- "$1"; }
click() { xdotool mousemove "$1" "$2" click 1; }
# button N: the hidden list button N Tabs after the keyword box (2 载入, 3 清空,
# 4 保存), the pointer back on the list, off the box's tooltip.
button() { click $((WX + 300)) $((WY + 11)) && xdotool mousemove $((WX + 250)) $((WY + 200)) && key $(printf 'Tab %.0s' $(seq "$1")) space; }
# drag X Y TX TY: presses at X,Y, nudges (a drag starts with the first
# move), moves to TX,TY in steps and releases. A window dragged this way is
# moved by fluxbox, which then takes the next press for itself.
drag() {
  local i
  xdotool mousemove "$1" "$2" mousedown 1 sleep 0.1 mousemove $(($1 + ($3 > $1) - ($3 < $1))) $(($2 + ($4 > $2) - ($4 < $2)))
  sleep 0.3
  for i in $(seq 12); do xdotool mousemove $(($1 + ($3 - $1) * i / 12)) $(($2 + ($4 - $2) * i / 12)) sleep 0.05; done
  xdotool sleep 0.3 mouseup 1
}
# drop X Y text TEXT | drop X Y files PATH...: a real OLE drop on a screen point.
drop() { wine "$HELPER" drop "$@" >>"$ART/wine.out" 2>&1 || fail "no drop of $*"; }

# ------------------------------------------------------------ menu, editor, boxes

# menu Y ITEM: a click on the list at screen row Y opens the entry menu (a
# click lost under load is repeated once); ITEM (0 新增一个, 1 编辑它, 2 删除它,
# 3 删除所有) is chosen with the arrow keys.
menu() {
  local x=$((WX + 120)) menu
  click $x "$1"
  menu=$(poll 3 menu_near $x "$1") || { retry "no menu after a click at y $1"; click $x "$1"
    menu=$(within 3 "a click at y $1 should open the entry menu" menu_near $x "$1") || exit 1; }
  key $(printf 'Down %.0s' $(seq 0 "$2")) Return
  within 5 "the menu should close" hidden "$menu"
}
# menu_near X Y: the id of a pop-up menu whose corner is within 3 pixels of X,Y.
menu_near() {
  local id
  for id in $(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}'); do
    xwininfo -id "$id" | awk -v x="$1" -v y="$2" '/Absolute upper-left X/ {dx = $4 - x}
      /Absolute upper-left Y/ {dy = $4 - y} /Override Redirect State: yes/ {o = 1} /IsViewable/ {v = 1}
      END {exit !(o && v && dx * dx <= 9 && dy * dy <= 9)}' && { echo "$id"; return 0; }
  done
  return 1
}
# editor: waits for the entry editor (ED, at EX EY) and puts the pointer on it.
editor() {
  ED=$(within 10 "the editor should open" window '^Form2$') || exit 1
  read -r EX EY _ <<<"$(geom "$ED")" && xdotool mousemove $((EX + 200)) $((EY + 60))
}
# part NAME: the screen point of the editor's text1, text2 or ok (at 96 DPI).
declare -A PART=([text1]="242 53" [text2]="242 91" [ok]="217 132")
part() { local d=(${PART[$1]}); echo $((EX + d[0])) $((EY + d[1])); }
# answer TITLE PATTERN KEYS...: the message box TITLE opens, one of its texts
# matches the glob PATTERN, and KEYS (Return is the default button, Escape
# is Cancel) close it.
answer() {
  local box text found= out=$E2E_DIR/texts.out
  box=$(within 10 "the message box \"$2\" should open" window "^$1\$") || exit 1
  rm -f "$out"
  wine "$HELPER" texts "$(wpath "$out")" "$1" >/dev/null 2>&1
  while IFS= read -r -d '' text; do [[ $text == $2 ]] && found=1; done <"$out"
  [ -n "$found" ] || fail "the message box says \"$(tr '\0' '|' <"$out")\", expected \"$2\""
  focus "$box"
  key "${@:3}"
  within 5 "the message box should close after ${*:3}" hidden "$box"
}
