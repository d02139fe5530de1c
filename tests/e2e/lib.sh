# Shared functions of the end-to-end tests: run.sh sources this file to set up
# and tear down the suite, every scenario sources it to drive the program.
# Everything lives under build/e2e/; only processes started here are ended,
# and only by their PID.

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_REPO=$(cd "$E2E_DIR/../.." && pwd)
E2E_ROOT=${E2E_ROOT:-$E2E_REPO/build/e2e}
E2E_BUILD=${E2E_BUILD:-$E2E_REPO/build/mingw}
E2E_PROGRAM_EXE=${E2E_PROGRAM_EXE:-$E2E_BUILD/Quillet.exe}
E2E_WITNESS_EXE=${E2E_WITNESS_EXE:-$E2E_BUILD/tests/e2e/witness.exe}
E2E_WINTEXT_EXE=${E2E_WINTEXT_EXE:-$E2E_BUILD/tests/e2e/wintext.exe}
E2E_LOCALE=zh_CN.UTF-8
E2E_MAIN_TITLE='Vellmar Quillet V1.0'
E2E_APP_TITLE='Vellmar的Quillet'
# shellcheck source=../../scripts/display.sh
. "$E2E_REPO/scripts/display.sh"

# ---------------------------------------------------------------- reporting

# e2e_log MSG: prints a progress line to stderr (kept in the scenario's log).
e2e_log() { printf '[%s] %s\n' "$(date +%H:%M:%S.%N | cut -c1-12)" "$*" >&2; }

# e2e_fail MSG: prints why the scenario failed, keeps a screenshot, exits 1.
e2e_fail() {
  printf 'FAILED: %s\n' "$*" >&2
  if [ -n "${E2E_ARTIFACTS:-}" ] && [ -n "${DISPLAY:-}" ]; then
    import -window root "$E2E_ARTIFACTS/failure.png" 2>/dev/null || true
  fi
  exit 1
}

# e2e_need_file PATH WHAT: fails with a clear message when PATH is missing.
e2e_need_file() {
  [ -f "$1" ] || e2e_fail "$2 not found at $1 (build it: cmake --preset mingw && cmake --build build/mingw -j2)"
}

# -------------------------------------------------------------------- wine

# e2e_wine ARGS...: runs wine under the generated Chinese UTF-8 locale.
e2e_wine() { LC_ALL=$E2E_LOCALE wine "$@"; }

# e2e_wine_bg ARGS...: starts wine in the background; sets E2E_BG_PID to the
# PID of the Windows process (wine execs into it) and tracks it.
e2e_wine_bg() {
  ( exec env LC_ALL=$E2E_LOCALE wine "$@" ) >>"$E2E_ARTIFACTS/wine.out" 2>&1 &
  E2E_BG_PID=$!
  e2e_track "$E2E_BG_PID"
}

# e2e_winepath UNIXPATH: prints the Windows form (Z:\...) of a Unix path.
# Under load winepath has been seen to print a message of Wine's instead:
# such an answer is asked again, and the retry is recorded.
e2e_winepath() {
  local out try
  for try in 1 2 3; do
    out=$(LC_ALL=$E2E_LOCALE winepath -w "$1" 2>/dev/null)
    [[ $out =~ ^[A-Z]:\\[^$'\n']*$ ]] && { printf '%s\n' "$out"; return 0; }
    echo "$(basename "${E2E_SCENARIO_DIR:-suite}"): winepath answered \"$out\" for $1, asked again" >>"${E2E_RETRIES:-/dev/null}"
  done
  e2e_fail "winepath gives no Windows path for $1: $out"
}

# ------------------------------------------------------- suite set-up/down

# e2e_suite_setup: locale, HOME, prefix, Xvfb, fluxbox, persistent wineserver.
e2e_suite_setup() {
  mkdir -p "$E2E_ROOT" "$E2E_ROOT/artifacts" "$E2E_ROOT/run" || return 1
  E2E_STATE=$E2E_ROOT/suite.pids
  : >"$E2E_STATE"

  export LOCPATH=$E2E_ROOT/locale
  if [ ! -f "$LOCPATH/$E2E_LOCALE/LC_CTYPE" ]; then
    e2e_log "generating the $E2E_LOCALE locale"
    mkdir -p "$LOCPATH"
    localedef -i zh_CN -f UTF-8 "$LOCPATH/$E2E_LOCALE" >/dev/null 2>&1
    [ -f "$LOCPATH/$E2E_LOCALE/LC_CTYPE" ] || { echo "localedef failed" >&2; return 1; }
  fi

  export HOME=$E2E_ROOT/home
  mkdir -p "$HOME/.fluxbox"
  # The window manager draws the title bars: in a font that has Chinese.
  printf 'background: none\n*.font: WenQuanYi Micro Hei-9\n' >"$HOME/.fluxbox/overlay"
  export WINEPREFIX=$E2E_ROOT/prefix
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES=winemenubuilder.exe=d
  export XDG_RUNTIME_DIR=$E2E_ROOT/xdg-runtime
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  unset WINESERVER WINELOADER

  # A browser that only records what it was asked to open.
  mkdir -p "$E2E_ROOT/bin"
  cat >"$E2E_ROOT/bin/xdg-open" <<'EOF'
#!/bin/sh
printf '%s\n' "$*" >>"${E2E_XDG_LOG:-${E2E_ROOT:-/tmp}/xdg-open.log}"
exit 0
EOF
  chmod +x "$E2E_ROOT/bin/xdg-open"
  export PATH=$E2E_ROOT/bin:$PATH
  export E2E_XDG_LOG=$E2E_ROOT/xdg-open.log

  # A wineserver left behind by an interrupted run of this suite would keep
  # the old display; end it before starting afresh.
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1

  e2e_start_display || return 1
  e2e_start_window_manager || return 1

  if [ ! -f "$WINEPREFIX/.e2e-ready" ]; then
    e2e_log "creating the Wine prefix under $E2E_LOCALE (takes a while)"
    rm -rf "$WINEPREFIX"
    e2e_wine wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; return 1; }
    e2e_wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /d N /f >/dev/null 2>&1 \
      || { echo "reg add UseTakeFocus failed" >&2; return 1; }
    wineserver -w
    touch "$WINEPREFIX/.e2e-ready"
  fi

  wineserver -p || { echo "wineserver -p failed" >&2; return 1; }
  export E2E_SUITE_READY=1
  export E2E_ROOT E2E_BUILD E2E_PROGRAM_EXE E2E_WITNESS_EXE E2E_WINTEXT_EXE
}

# e2e_start_display / e2e_start_window_manager: the shared recipe, with the
# processes recorded for the teardown.
e2e_start_display() {
  start_display 1920x1080x24 "$E2E_ROOT/xvfb.log" || return 1
  echo "xvfb $DISPLAY_PID" >>"$E2E_STATE"
  e2e_log "Xvfb on $DISPLAY (pid $DISPLAY_PID)"
}

e2e_start_window_manager() {
  start_window_manager "$E2E_ROOT/fluxbox.log"
  local ok=$?
  echo "fluxbox $WM_PID" >>"$E2E_STATE"
  [ $ok = 0 ] && e2e_log "fluxbox running (pid $WM_PID)"
  return $ok
}

# e2e_suite_teardown: ends wineserver, fluxbox and Xvfb started by the setup.
e2e_suite_teardown() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
  fi
  local what pid tries
  [ -f "${E2E_STATE:-}" ] || return 0
  # Window manager first (it ignores SIGTERM), then the display.
  tac "$E2E_STATE" | while read -r what pid; do
    case $what in
      fluxbox) kill -KILL "$pid" 2>/dev/null ;;
      *) kill "$pid" 2>/dev/null ;;
    esac
    for tries in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
  done
  : >"$E2E_STATE"
}

# ------------------------------------------------------------ a scenario

# e2e_scenario_begin: checks the suite is up, enters the scenario directory,
# records PIDs for the clean-up.
e2e_scenario_begin() {
  [ "${E2E_SUITE_READY:-}" = 1 ] || { echo "run scenarios through tests/e2e/run.sh" >&2; exit 2; }
  : "${E2E_SCENARIO_DIR:?}" "${E2E_ARTIFACTS:?}"
  cd "$E2E_SCENARIO_DIR" || exit 2
  E2E_PIDS_FILE=$E2E_SCENARIO_DIR/.pids
  : >"$E2E_PIDS_FILE"
  export E2E_XDG_LOG=$E2E_SCENARIO_DIR/xdg-open.log
  trap 'exit 130' INT TERM
  trap e2e_scenario_cleanup EXIT
}

# e2e_scenario_cleanup: ends every process this scenario started, by PID.
e2e_scenario_cleanup() {
  local pid
  [ -f "${E2E_PIDS_FILE:-}" ] || return 0
  while read -r pid; do
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && kill "$pid" 2>/dev/null
  done <"$E2E_PIDS_FILE"
}

# e2e_track PID: remembers a process for the clean-up.
e2e_track() { echo "$1" >>"$E2E_PIDS_FILE"; }

# e2e_write_crlf FILE LINE...: writes the lines, each ended by CR LF.
e2e_write_crlf() {
  local file=$1; shift
  : >"$file"
  local line
  for line in "$@"; do printf '%s\r\n' "$line" >>"$file"; done
}

# e2e_witness NAME...: copies the witness into the scenario directory as NAME.
e2e_witness() {
  e2e_need_file "$E2E_WITNESS_EXE" "witness.exe"
  local name
  for name in "$@"; do cp "$E2E_WITNESS_EXE" "$E2E_SCENARIO_DIR/$name" || e2e_fail "cannot copy witness as $name"; done
}

# e2e_standard_entries: witnesses X, Y, Z, W and a data.txt holding
# "a:X", "b:Y", ":Z", "a:W" (full Windows paths, CR LF); keeps a copy of the
# file as data.orig.
e2e_standard_entries() {
  local d=$E2E_SCENARIO_DIR
  e2e_witness X.exe Y.exe Z.exe W.exe
  e2e_write_crlf "$d/data.txt" \
    "a:$(e2e_winepath "$d/X.exe")" "b:$(e2e_winepath "$d/Y.exe")" \
    ":$(e2e_winepath "$d/Z.exe")" "a:$(e2e_winepath "$d/W.exe")"
  grep -q '^a:Z:\\' "$d/data.txt" || e2e_fail "winepath gave unexpected paths: $(cat "$d/data.txt")"
  cp "$d/data.txt" "$d/data.orig"
}

# e2e_start_program: copies Quillet.exe beside data.txt and starts it there;
# sets E2E_PID (Unix PID of the program).
e2e_start_program() {
  e2e_need_file "$E2E_PROGRAM_EXE" "the program Quillet.exe"
  cp "$E2E_PROGRAM_EXE" "$E2E_SCENARIO_DIR/Quillet.exe" || e2e_fail "cannot copy Quillet.exe"
  cd "$E2E_SCENARIO_DIR" || e2e_fail "no scenario directory"
  e2e_wine_bg Quillet.exe
  E2E_PID=$E2E_BG_PID
  e2e_log "started Quillet.exe (pid $E2E_PID)"
}

# e2e_start_main: starts the program, waits for its main window, keeps the
# pointer inside it and the focus on it; sets E2E_WIN, WX, WY, WW, WH.
e2e_start_main() {
  e2e_start_program
  E2E_WIN=$(e2e_wait_window "^${E2E_MAIN_TITLE//./\\.}\$" 15) || e2e_fail "the main window \"$E2E_MAIN_TITLE\" did not appear"
  e2e_geometry "$E2E_WIN"
  e2e_mouse_to $((WX + 250)) $((WY + 200))
  e2e_focus "$E2E_WIN"
}

# ------------------------------------------------------------ windows

# e2e_find_windows REGEX: prints the ids of visible windows whose name matches.
e2e_find_windows() { LC_ALL=$E2E_LOCALE xdotool search --onlyvisible --name "$1" 2>/dev/null; }

# e2e_wait_window REGEX [SECONDS]: waits for a visible window; prints its id.
e2e_wait_window() {
  local regex=$1 limit=${2:-10} ids end=$((SECONDS + ${2:-10}))
  while :; do
    ids=$(e2e_find_windows "$regex")
    if [ -n "$ids" ]; then echo "$ids" | tail -n 1; return 0; fi
    if [ -n "${E2E_PID:-}" ] && ! kill -0 "$E2E_PID" 2>/dev/null; then
      echo "the program (pid $E2E_PID) has exited; no window named /$regex/" >&2
      e2e_list_windows >&2
      return 1
    fi
    if [ "$SECONDS" -ge "$end" ]; then
      echo "no visible window named /$regex/ within ${limit}s; visible windows:" >&2
      e2e_list_windows >&2
      return 1
    fi
    sleep 0.1
  done
}

# e2e_wait_window_gone ID [SECONDS]: waits until the window is no longer visible.
e2e_wait_window_gone() {
  local id=$1 end=$((SECONDS + ${2:-10}))
  while xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; do
    [ "$SECONDS" -ge "$end" ] && { echo "window $id is still visible after ${2:-10}s" >&2; return 1; }
    sleep 0.1
  done
}

# e2e_list_windows: prints the visible named windows (id, geometry, name).
e2e_list_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    printf '  %s %s "%s"\n' "$id" \
      "$(xwininfo -id "$id" 2>/dev/null | awk '/-geometry/ {print $2}')" \
      "$(LC_ALL=$E2E_LOCALE xdotool getwindowname "$id" 2>/dev/null)"
  done
}

# e2e_geometry ID: sets WX, WY (absolute top-left), WW, WH from xwininfo.
e2e_geometry() {
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || e2e_fail "xwininfo cannot see window $1"
  WX=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  WY=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
  WW=$(awk '/Width:/ {print $2}' <<<"$info")
  WH=$(awk '/Height:/ {print $2}' <<<"$info")
}

# e2e_toplevel ID: prints the id of the window's ancestor just below the root
# (the window manager's frame, or the window itself when it has none).
e2e_toplevel() {
  local id=$1 parent root
  root=$(xwininfo -root 2>/dev/null | awk '/Window id:/ {print $4}')
  while :; do
    parent=$(xwininfo -tree -id "$id" 2>/dev/null | awk '/Parent window id:/ {print $4}')
    [ -z "$parent" ] || [ "$parent" = "$root" ] && break
    id=$parent
  done
  echo "$id"
}

# e2e_window_texts TITLE OUTFILE: writes the texts of the controls of the
# visible window titled exactly TITLE ("class<TAB>text" lines, UTF-8).
e2e_window_texts() {
  e2e_need_file "$E2E_WINTEXT_EXE" "wintext.exe"
  e2e_wine "$E2E_WINTEXT_EXE" "$(e2e_winepath "$2")" "$1" >/dev/null 2>&1
}

# e2e_net_wm_state ID: prints the window's _NET_WM_STATE atoms, one a line.
e2e_net_wm_state() {
  xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed -n 's/.*= //p' | tr ',' '\n' | tr -d ' '
}

# e2e_window_pid ID: prints the window's _NET_WM_PID.
e2e_window_pid() { xprop -id "$1" _NET_WM_PID 2>/dev/null | sed -n 's/.*= //p'; }

# e2e_focus ID: gives the keyboard focus to the root window, then activates
# the window, and waits until X reports it active. Going through the root
# makes Wine see a fresh focus change even when X already had the window
# active, so Wine activates it again as well.
e2e_focus() {
  local id=$1 end=$((SECONDS + 5)) active root
  root=$(xwininfo -root 2>/dev/null | awk '/Window id:/ {print $4}')
  xdotool windowfocus "$root" 2>/dev/null
  xdotool windowactivate "$id" 2>/dev/null
  while :; do
    active=$(xdotool getactivewindow 2>/dev/null)
    [ "$active" = "$id" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && return 0
    [ "$SECONDS" -ge "$end" ] && e2e_fail "window $id did not become active (active: ${active:-none})"
    sleep 0.1
    xdotool windowactivate "$id" 2>/dev/null
  done
}

# ------------------------------------------------------------ input

# e2e_type TEXT: types ASCII text into the focused control.
e2e_type() { xdotool type --delay 30 -- "$1"; }

# e2e_key KEY...: presses keys (xdotool names: Return, Tab, shift+Return, ...).
e2e_key() { xdotool key --delay 60 "$@"; }

# e2e_clear_box [N]: empties the focused text box of up to N (20) characters.
# Plain keys only: Wine can still see Shift held for a key typed right after
# a shift+ chord, turning "b" into "B".
e2e_clear_box() {
  local keys=(End) i
  for i in $(seq "${1:-20}"); do keys+=(BackSpace); done
  xdotool key --delay 15 "${keys[@]}"
}

# e2e_paste TEXT: puts TEXT (e.g. Chinese) on the clipboard and presses ctrl+v.
# xclip keeps serving the text until the next paste takes the clipboard over
# or the scenario ends (it is tracked and ended by PID).
e2e_paste() {
  local text=$1 pid end=$((SECONDS + 5))
  printf '%s' "$text" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
  pid=$!
  e2e_track "$pid"
  until [ "$(xclip -selection clipboard -o 2>/dev/null)" = "$text" ]; do
    [ "$SECONDS" -ge "$end" ] && e2e_fail "the clipboard never held \"$text\""
    sleep 0.05
  done
  xdotool key ctrl+v
}

# e2e_mouse_to X Y: moves the pointer to a screen point.
e2e_mouse_to() { xdotool mousemove "$1" "$2"; }

# e2e_click X Y: left click at a screen point.
e2e_click() { xdotool mousemove "$1" "$2" click 1; }

# ------------------------------------------------------------ screen

# e2e_shot FILE: screenshot of the whole screen (PNG).
e2e_shot() { import -window root "$1" 2>/dev/null || e2e_fail "screenshot to $1 failed"; }

# e2e_pixel FILE X Y: prints the pixel's colour as r,g,b (0-255).
e2e_pixel() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info: 2>/dev/null
}

# e2e_wait_pixel X Y R,G,B [SECONDS] [NAME]: polls screenshots until the
# pixel has that colour; the last screenshot is kept as NAME.png.
e2e_wait_pixel() {
  local x=$1 y=$2 want=$3 end=$((SECONDS + ${4:-5})) name=${5:-pixel} got shot
  shot=$E2E_ARTIFACTS/$name.png
  while :; do
    e2e_shot "$shot"
    got=$(e2e_pixel "$shot" "$x" "$y")
    [ "$got" = "$want" ] && return 0
    [ "$SECONDS" -ge "$end" ] && { echo "pixel $x,$y is $got, expected $want (see $shot)" >&2; return 1; }
    sleep 0.1
  done
}

# e2e_crop_colours FILE X Y W H: prints how many distinct colours the area holds.
e2e_crop_colours() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -unique-colors -format '%w' info: 2>/dev/null
}

# e2e_ink_box FILE X Y W H: bounding box "w h x y" (relative to the area) of
# what in the area differs from its corner colour; "0 0 0 0" when nothing does.
e2e_ink_box() {
  local box
  box=$(convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -trim -format '%w %h %X %Y' info: 2>/dev/null)
  # A uniform area trims to a single pixel.
  [ "$(e2e_crop_colours "$1" "$2" "$3" "$4" "$5")" = 1 ] && box="0 0 0 0"
  echo "${box//+/}"
}

# e2e_list_text_height NAME: screenshot NAME.png; prints the height of the
# text drawn in the main window's list (0 when the list is empty).
e2e_list_text_height() {
  local shot=$E2E_ARTIFACTS/$1.png w h x y
  e2e_shot "$shot"
  read -r w h x y <<<"$(e2e_ink_box "$shot" $((WX + 6)) $((WY + 25)) 500 352)"
  echo "${h:-0}"
}

# e2e_wait_list_doubled BEFORE NAME: waits until the list's text is at least
# 1.7 times BEFORE pixels high (its rows shown twice); fails otherwise.
e2e_wait_list_doubled() {
  local before=$1 name=$2 now end=$((SECONDS + 5))
  while :; do
    now=$(e2e_list_text_height "$name")
    [ $((now * 10)) -ge $((before * 17)) ] && return 0
    [ "$SECONDS" -ge "$end" ] && e2e_fail "the list's text is ${now}px high, before ${before}px: its entries are not shown twice (see $name.png)"
    sleep 0.1
  done
}

# ------------------------------------------------------------ logs and files

# e2e_log_count FILE: number of lines in FILE (0 when missing).
e2e_log_count() { [ -f "$1" ] && wc -l <"$1" | tr -d ' ' || echo 0; }

# e2e_wait_lines FILE N [SECONDS]: waits until FILE has at least N lines.
e2e_wait_lines() {
  local file=$1 want=$2 end=$((SECONDS + ${3:-5}))
  until [ "$(e2e_log_count "$file")" -ge "$want" ]; do
    if [ "$SECONDS" -ge "$end" ]; then
      echo "$file has $(e2e_log_count "$file") lines after ${3:-5}s, expected $want; it holds:" >&2
      sed 's/^/  | /' "$file" 2>/dev/null >&2
      return 1
    fi
    sleep 0.05
  done
}

# e2e_lines_from FILE N: prints FILE's lines from number N on, joined by spaces.
e2e_lines_from() { tail -n "+$2" "$1" 2>/dev/null | tr '\n' ' ' | sed 's/ $//'; }

# e2e_expect_new_lines FILE BEFORE EXPECTED...: waits for the lines after the
# first BEFORE ones to be exactly EXPECTED (in order), failing otherwise.
e2e_expect_new_lines() {
  local file=$1 before=$2; shift 2
  local want="$*" got
  e2e_wait_lines "$file" $((before + $#)) 5 || e2e_fail "expected new lines: $want"
  got=$(e2e_lines_from "$file" $((before + 1)))
  [ "$got" = "$want" ] || e2e_fail "new lines in $(basename "$file"): got \"$got\", expected \"$want\""
}

# e2e_expect_launches BEFORE NAME...: waits until the witnesses have logged
# BEFORE + the count of NAMEs lines, then fails unless the launches after the
# first BEFORE are exactly NAMEs, in the order their processes were created.
e2e_expect_launches() {
  local before=$1; shift
  local want="$*" got log=$E2E_SCENARIO_DIR/witness.log
  e2e_wait_lines "$log" $((before + $#)) 5 || e2e_fail "expected launches: $want"
  got=$(sort -n -k1,1 "$E2E_SCENARIO_DIR/witness.order" | cut -d' ' -f2- | tail -n "+$((before + 1))" | tr '\n' ' ' | sed 's/ $//')
  [ "$got" = "$want" ] || e2e_fail "launched \"$got\" (in creation order), expected \"$want\""
}

# e2e_expect_bytes FILE EXPECTED_FILE: fails with both dumps unless identical.
e2e_expect_bytes() {
  cmp -s "$1" "$2" && return 0
  {
    echo "$(basename "$1") differs from what was expected."
    echo "--- expected:"; xxd "$2"
    echo "--- found:"; [ -f "$1" ] && xxd "$1" || echo "(missing or not a file)"
  } >&2
  e2e_fail "bytes of $(basename "$1") are wrong"
}

# e2e_wait_file_bytes FILE EXPECTED_FILE [SECONDS]: waits until FILE holds
# exactly the bytes of EXPECTED_FILE.
e2e_wait_file_bytes() {
  local end=$((SECONDS + ${3:-5}))
  until cmp -s "$1" "$2"; do
    [ "$SECONDS" -ge "$end" ] && e2e_expect_bytes "$1" "$2"
    sleep 0.05
  done
}

# ------------------------------------------------------------ processes

# e2e_wait_exit PID [SECONDS]: waits until the process has ended.
e2e_wait_exit() {
  local pid=$1 end=$((SECONDS + ${2:-10}))
  while kill -0 "$pid" 2>/dev/null; do
    # A child of this shell that has exited stays a zombie until reaped.
    if [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ]; then wait "$pid" 2>/dev/null; return 0; fi
    [ "$SECONDS" -ge "$end" ] && { echo "process $pid is still running after ${2:-10}s" >&2; return 1; }
    sleep 0.05
  done
}

# e2e_kill_program: ends the program started by e2e_start_program.
e2e_kill_program() {
  [ -n "${E2E_PID:-}" ] || return 0
  kill "$E2E_PID" 2>/dev/null
  e2e_wait_exit "$E2E_PID" 5 || kill -KILL "$E2E_PID" 2>/dev/null
  wait "$E2E_PID" 2>/dev/null
}

# ------------------------------------------------- entry menu, editor, drops

E2E_DROPPER_EXE=${E2E_DROPPER_EXE:-$E2E_BUILD/tests/e2e/dropper.exe}
E2E_EDITOR_TITLE='Form2'
# The list's rows, in pixels: the first one's middle below the window's top,
# and their height (the list's font on this display).
E2E_LIST_FIRST_ROW=29
E2E_LIST_ROW_HEIGHT=16

# e2e_list_row_y N: screen y of the middle of the list's row N (0 is the first).
e2e_list_row_y() { echo $((WY + E2E_LIST_FIRST_ROW + E2E_LIST_ROW_HEIGHT * $1)); }

# e2e_popups: prints the ids of the mapped override-redirect windows (pop-up
# menus, tooltips) at the top of the stack.
e2e_popups() {
  local id
  for id in $(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Override Redirect State: yes' || continue
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
  done
}

# e2e_click_for_menu X Y: left click at a screen point and wait for a pop-up
# menu to open there; sets MENU, MX, MY, MW, MH (its geometry).
e2e_click_for_menu() {
  local before id end=$((SECONDS + 5)) again=$((SECONDS + 3)) info
  before=$(e2e_popups)
  e2e_click "$1" "$2"
  while :; do
    # A click can be lost while the window system is busy: one more, recorded.
    if [ "$SECONDS" -ge "$again" ]; then
      again=$end
      echo "$(basename "$E2E_SCENARIO_DIR"): no menu after a click at $1,$2, clicked again" >>"${E2E_RETRIES:-/dev/null}"
      e2e_click "$1" "$2"
    fi
    for id in $(e2e_popups); do
      grep -qx "$id" <<<"$before" && continue
      info=$(xwininfo -id "$id" 2>/dev/null)
      MX=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
      MY=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
      MW=$(awk '/Width:/ {print $2}' <<<"$info")
      MH=$(awk '/Height:/ {print $2}' <<<"$info")
      # Opened at the pointer, give or take a pixel.
      if [ $((MX - $1)) -ge -2 ] && [ $((MX - $1)) -le 2 ] && [ $((MY - $2)) -ge -2 ] && [ $((MY - $2)) -le 2 ]; then
        MENU=$id
        return 0
      fi
    done
    [ "$SECONDS" -ge "$end" ] && e2e_fail "no pop-up menu opened at $1,$2 (pop-ups: $(e2e_popups | tr '\n' ' '))"
    sleep 0.05
  done
}

# e2e_open_row_menu N: left click on the list's row N and wait for the entry menu.
e2e_open_row_menu() { e2e_click_for_menu $((WX + 120)) "$(e2e_list_row_y "$1")"; }

# e2e_menu_key N: chooses the open menu's item N (0 新增一个, 1 编辑它, 2 删除它,
# 3 删除所有) with the arrow keys and Return, and waits until it is closed.
e2e_menu_key() {
  local keys=() i
  for i in $(seq 0 "$1"); do keys+=(Down); done
  e2e_key "${keys[@]}" Return
  e2e_wait_menu_gone
}

# e2e_menu_click N: clicks the open menu's item N (its four items share its height).
e2e_menu_click() {
  e2e_click $((MX + MW / 2)) $((MY + MH * (2 * $1 + 1) / 8))
  e2e_wait_menu_gone
}

# e2e_wait_menu_gone: waits until the menu opened last is closed.
e2e_wait_menu_gone() {
  e2e_wait_window_gone "$MENU" 5 || e2e_fail "the menu stayed open"
}

# e2e_wait_editor: waits for the entry editor; sets EDITOR, EX, EY, EW, EH.
e2e_wait_editor() {
  local wx=$WX wy=$WY ww=$WW wh=$WH
  EDITOR=$(e2e_wait_window "^$E2E_EDITOR_TITLE\$" 10) || e2e_fail "the editor did not open"
  e2e_geometry "$EDITOR"
  EX=$WX EY=$WY EW=$WW EH=$WH
  WX=$wx WY=$wy WW=$ww WH=$wh
}

# e2e_editor_at PART: prints "x y", the screen point of the middle of one of
# the editor's parts: text1, text2, ok (Label3), close (Image3).
e2e_editor_at() {
  case $1 in
    text1) echo "$((EX + 242)) $((EY + 53))" ;;
    text2) echo "$((EX + 242)) $((EY + 91))" ;;
    ok) echo "$((EX + 217)) $((EY + 132))" ;;
    close) echo "$((EX + 421)) $((EY + 10))" ;;
    *) e2e_fail "no editor part named $1" ;;
  esac
}

# e2e_editor_click PART: left click on one of the editor's parts.
e2e_editor_click() {
  local x y
  read -r x y <<<"$(e2e_editor_at "$1")"
  e2e_click "$x" "$y"
}

# e2e_wait_main_hidden / e2e_wait_main_shown: the main window's visibility.
e2e_wait_main_hidden() { e2e_wait_window_gone "$E2E_WIN" 5 || e2e_fail "the main window stayed visible"; }
e2e_wait_main_shown() {
  local end=$((SECONDS + 5))
  until xwininfo -id "$E2E_WIN" 2>/dev/null | grep -q 'Map State: IsViewable'; do
    [ "$SECONDS" -ge "$end" ] && e2e_fail "the main window did not come back"
    sleep 0.05
  done
}

# e2e_drop X Y text TEXT | e2e_drop X Y files PATH...: a real OLE drop on a
# screen point (the pointer goes there); fails when no drop happened.
e2e_drop() {
  e2e_need_file "$E2E_DROPPER_EXE" "dropper.exe"
  e2e_wine "$E2E_DROPPER_EXE" "$@" >>"$E2E_ARTIFACTS/wine.out" 2>&1 || e2e_fail "dropper.exe $* did not drop"
}

# e2e_wait_message TEXT: waits for the message box titled like the program,
# checks its message is TEXT, and closes it with Return.
e2e_wait_message() {
  local box out=$E2E_SCENARIO_DIR/message.txt
  box=$(e2e_wait_window "^$E2E_APP_TITLE\$" 5) || e2e_fail "no message box \"$1\""
  rm -f "$out"
  e2e_window_texts "$E2E_APP_TITLE" "$out"
  grep -qxF "Static	$1" "$out" || e2e_fail "the message box says: $(cat "$out" 2>/dev/null), expected \"$1\""
  e2e_focus "$box"
  e2e_key Return
  e2e_wait_window_gone "$box" 5 || e2e_fail "the message box stayed open"
}

# e2e_editor_box PART: prints what the editor's box (text1 or text2) holds,
# copied with Home, Shift+End, Ctrl+C (another process cannot read an edit control's
# text with GetWindowText); empty when nothing was copied within 3 s.
e2e_editor_box() {
  local x y pid sentinel="e2e-sentinel-$RANDOM" end=$((SECONDS + 3)) got
  printf '%s' "$sentinel" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
  pid=$!
  e2e_track "$pid"
  until [ "$(xclip -selection clipboard -o 2>/dev/null)" = "$sentinel" ]; do
    [ "$SECONDS" -ge "$end" ] && e2e_fail "the clipboard never held the sentinel"
    sleep 0.05
  done
  read -r x y <<<"$(e2e_editor_at "$1")"
  e2e_click "$x" "$y"
  xdotool key --delay 60 Home shift+End ctrl+c
  end=$((SECONDS + 3))
  while got=$(xclip -selection clipboard -o 2>/dev/null); [ "$got" = "$sentinel" ]; do
    [ "$SECONDS" -ge "$end" ] && { got=; break; }
    sleep 0.05
  done
  kill "$pid" 2>/dev/null
  printf '%s' "$got"
}

# e2e_expect_box PART TEXT: fails unless the editor's box holds TEXT.
# The copy through the clipboard is what can miss under load, not the box: a
# read that gives something else is tried twice more.
e2e_expect_box() {
  local got try
  for try in 1 2 3; do
    got=$(e2e_editor_box "$1")
    [ "$got" = "$2" ] && return 0
    echo "$(basename "$E2E_SCENARIO_DIR"): the editor's $1 read \"$got\", read again" >>"${E2E_RETRIES:-/dev/null}"
  done
  e2e_fail "the editor's $1 holds \"$got\", expected \"$2\""
}

# --- docking and dragging

# A point on the screen away from every window the scenarios place.
E2E_AWAY_X=960
E2E_AWAY_Y=900

# e2e_drag X Y DX DY: presses the left button at X,Y, moves the pointer by
# DX,DY in ten steps and releases it. The first step is a nudge of one pixel:
# a drag starts with the first move while the button is held, and the window
# then follows the pointer from there (so it moves by DX,DY give or take a
# pixel). The pauses only pace the input for Wine's move loop.
# Drag once per program start: Wine 8 hands the move to the window manager
# (_NET_WM_MOVERESIZE), and fluxbox stays in its move until the next press,
# which it takes for itself: the program never receives that press (its
# button messages were logged to check), and a move that follows it drags
# the window again, even from the bare desktop. Click once after a drag.
e2e_drag() {
  local x=$1 y=$2 dx=$3 dy=$4 i
  xdotool mousemove "$x" "$y" mousedown 1
  sleep 0.1
  xdotool mousemove $((x + (dx > 0) - (dx < 0))) $((y + (dy > 0) - (dy < 0)))
  sleep 0.3
  for i in $(seq 10); do
    xdotool mousemove $((x + dx * i / 10)) $((y + dy * i / 10))
    sleep 0.03
  done
  xdotool mouseup 1
}

# e2e_wait_main_where CONDITION [SECONDS] [WHAT]: waits until the bash
# arithmetic CONDITION on WX, WY, WW, WH (re-read from the main window) holds;
# fails naming WHAT and the geometry it saw last.
e2e_wait_main_where() {
  local cond=$1 end=$((SECONDS + ${2:-5}))
  while :; do
    e2e_geometry "$E2E_WIN"
    (( $cond )) && return 0
    [ "$SECONDS" -ge "$end" ] \
      && e2e_fail "${3:-the main window}: it is ${WW}x${WH} at $WX,$WY after ${2:-5}s, expected $cond"
    sleep 0.05
  done
}

# e2e_same_pixels IMAGE_A AX AY IMAGE_B BX BY W H: true when the W x H area at
# AX,AY of IMAGE_A is pixel for pixel the one at BX,BY of IMAGE_B.
# (ImageMagick's policy here refuses to read /dev/fd, so the crops go to files.)
e2e_same_pixels() {
  local a=$E2E_SCENARIO_DIR/.crop-a.png b=$E2E_SCENARIO_DIR/.crop-b.png diff
  convert "$1" -crop "${7}x${8}+${2}+${3}" +repage "$a" 2>/dev/null || return 1
  convert "$4" -crop "${7}x${8}+${5}+${6}" +repage "$b" 2>/dev/null || return 1
  diff=$(compare -metric AE "$a" "$b" null: 2>&1)
  [ "$diff" = 0 ]
}

# e2e_expect_sliver NAME BEFORE BX BY SX SY W H: screenshots NAME.png until
# its W x H area at SX,SY (the part of a docked window left on the screen)
# shows what BEFORE showed at BX,BY (that part of the window, taken while it
# was on the screen); fails after 5 s.
e2e_expect_sliver() {
  local name=$1 before=$2 shot=$E2E_ARTIFACTS/$1.png end=$((SECONDS + 5))
  until e2e_shot "$shot"; e2e_same_pixels "$before" "$3" "$4" "$shot" "$5" "$6" "$7" "$8"; do
    [ "$SECONDS" -ge "$end" ] \
      && e2e_fail "the ${7}x${8} area at $5,$6 of $name.png does not show the window's edge seen at $3,$4 of $(basename "$before")"
    sleep 0.1
  done
}

# e2e_dock_cycle DX DY AT_EDGE DOCKED SLIVER TOUCH REVEALED: the round every
# edge goes through, from a freshly started main window. It is dragged by the
# strip (or at E2E_DRAG_AT pixels from its left) by DX,DY until AT_EDGE holds; with the pointer away it docks (DOCKED)
# and shows the window's edge on screen (SLIVER: "BX BY SX SY W H" for
# e2e_expect_sliver, BX,BY relative to where the window started); the pointer
# at TOUCH ("X Y") brings it back (REVEALED); away again, it docks again.
# Conditions are bash arithmetic on WX, WY and x0, y0 (the start).
e2e_dock_cycle() {
  local before=$E2E_ARTIFACTS/before.png bx by sx sy w h
  e2e_shot "$before"
  x0=$WX y0=$WY
  e2e_drag $((WX + ${E2E_DRAG_AT:-205})) $((WY + 12)) "$1" "$2"
  e2e_wait_main_where "$3" 5 "dragged by the strip by $1,$2"
  e2e_log "dragged to $WX,$WY; pointer away"
  e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
  e2e_wait_main_where "$4" 5 "pointer away from a window at the edge"
  read -r bx by sx sy w h <<<"$5"
  e2e_expect_sliver docked "$before" $((x0 + bx)) $((y0 + by)) "$sx" "$sy" "$w" "$h"
  e2e_log "docked at $WX,$WY; pointer on the sliver"
  e2e_mouse_to $6
  e2e_wait_main_where "$7" 5 "pointer on the sliver of the docked window"
  e2e_log "revealed at $WX,$WY; pointer away again"
  e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
  e2e_wait_main_where "$4" 5 "pointer away from the revealed window"
}

# --- faults and hostile input

E2E_HOLDER_EXE=${E2E_HOLDER_EXE:-$E2E_BUILD/tests/e2e/holder.exe}
E2E_QUIT_ANYWAY='\n\n仍要退出吗？未保存的修改将丢失。'
# Why a save is refused after data.txt could not be read.
E2E_UNREAD='它未能读入，列表中缺少它的条目；请在“载入”成功后再保存。文件保持原样。'

# e2e_system_message CODE: prints the program's rendering of a system error,
# the system's own text for CODE followed by " (CODE)".
e2e_system_message() {
  local out=$E2E_SCENARIO_DIR/.sysmsg
  e2e_need_file "$E2E_HOLDER_EXE" "holder.exe"
  rm -f "$out"
  e2e_wine "$E2E_HOLDER_EXE" message "$1" "$(e2e_winepath "$out")" >/dev/null 2>&1 \
    || e2e_fail "the system has no text for error $1"
  printf '%s (%s)' "$(cat "$out")" "$1"
}

# e2e_answer_message TEXT KEY [SECONDS]: waits for the message box titled like
# the program, fails unless its message is exactly TEXT (line breaks written
# as \n), answers it with KEY (Return is the default button, Escape is Cancel;
# several keys separated by spaces) and waits until
# it is gone.
e2e_answer_message() {
  local want=$1 key=$2 box out=$E2E_SCENARIO_DIR/message.txt
  box=$(e2e_wait_window "^$E2E_APP_TITLE\$" "${3:-10}") || e2e_fail "no message box \"$want\""
  rm -f "$out"
  e2e_window_texts "$E2E_APP_TITLE" "$out"
  grep -qxF "Static	$want" "$out" \
    || e2e_fail "the message box says: $(grep '^Static' "$out" 2>/dev/null | cut -f2-), expected \"$want\""
  e2e_log "message box: $want"
  e2e_focus "$box"
  e2e_key $key  # one key, or several separated by spaces
  e2e_wait_window_gone "$box" 5 || e2e_fail "the message box stayed open after $key"
}

# e2e_expect_no_message: fails when a message box titled like the program is up.
e2e_expect_no_message() {
  local ids
  ids=$(e2e_find_windows "^$E2E_APP_TITLE\$")
  [ -z "$ids" ] && return 0
  e2e_window_texts "$E2E_APP_TITLE" "$E2E_SCENARIO_DIR/message.txt"
  e2e_fail "unexpected message box: $(grep '^Static' "$E2E_SCENARIO_DIR/message.txt" | cut -f2-)"
}

# e2e_expect_running: fails unless the program runs and its main window shows.
e2e_expect_running() {
  kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program has ended"
  xwininfo -id "$E2E_WIN" 2>/dev/null | grep -q 'Map State: IsViewable' || e2e_fail "the main window is not shown"
}

# e2e_start_main_in DIR [SECONDS]: like e2e_start_main, with Quillet.exe and
# data.txt in DIR instead of the scenario directory (a folder of its own
# file system, say); waits up to SECONDS (15) for the main window.
e2e_start_main_in() {
  e2e_need_file "$E2E_PROGRAM_EXE" "the program Quillet.exe"
  [ -f "$1/Quillet.exe" ] || cp "$E2E_PROGRAM_EXE" "$1/Quillet.exe" || e2e_fail "cannot copy Quillet.exe to $1"
  ( cd "$1" && exec env LC_ALL=$E2E_LOCALE wine Quillet.exe ) >>"$E2E_ARTIFACTS/wine.out" 2>&1 &
  E2E_PID=$!
  e2e_track "$E2E_PID"
  e2e_log "started Quillet.exe in $1 (pid $E2E_PID)"
  e2e_wait_main "${2:-15}"
}

# e2e_wait_main [SECONDS]: waits for the main window, puts the pointer inside
# it and gives it the focus; sets E2E_WIN, WX, WY, WW, WH.
e2e_wait_main() {
  E2E_WIN=$(e2e_wait_window "^${E2E_MAIN_TITLE//./\\.}\$" "${1:-15}") || e2e_fail "the main window did not appear"
  e2e_geometry "$E2E_WIN"
  e2e_mouse_to $((WX + 250)) $((WY + 200))
  e2e_focus "$E2E_WIN"
}

# e2e_click_keyword_box: clicks into the keyword box, each time 40 pixels
# away from the time before: two clicks on one spot in quick succession are
# a double click, and a double click does not give an edit box the focus
# (the keys typed next would go to whatever had it). The pointer then goes
# back to the list, off the box's tooltip.
E2E_BOX_CLICK_X=300
e2e_click_keyword_box() {
  E2E_BOX_CLICK_X=$((E2E_BOX_CLICK_X == 300 ? 340 : 300))
  e2e_click $((WX + E2E_BOX_CLICK_X)) $((WY + 11))
  e2e_mouse_to $((WX + 250)) $((WY + 200))
}

# e2e_press_list_button N: clicks into the keyword box, then presses the
# hidden button N Tabs away with Space (2 载入, 3 清空, 4 保存).
e2e_press_list_button() {
  local keys=() i
  e2e_click_keyword_box
  for i in $(seq "$1"); do keys+=(Tab); done
  e2e_key "${keys[@]}" space
}

# e2e_lookup WORDS: types WORDS into the emptied keyword box and presses Enter.
e2e_lookup() {
  e2e_click_keyword_box
  e2e_clear_box 40
  e2e_type "$1"
  e2e_key Return
}

# e2e_close_icon: clicks the close icon (whatever follows is the caller's).
e2e_close_icon() { e2e_click $((WX + 500)) $((WY + 11)); }

# e2e_close_unchanged EXPECTED_FILE: the close icon ends the program with no
# question, and data.txt then holds exactly EXPECTED_FILE's bytes.
e2e_close_unchanged() {
  e2e_close_icon
  e2e_wait_exit "$E2E_PID" 20 || e2e_fail "the close icon did not end the program"
  e2e_expect_bytes data.txt "$1"
}

# e2e_wait_list_height CONDITION NAME [SECONDS]: waits until the height of
# the list's text, as H, satisfies the bash arithmetic CONDITION; leaves it in H.
e2e_wait_list_height() {
  local end=$((SECONDS + ${3:-5}))
  while :; do
    H=$(e2e_list_text_height "$2")
    (( $1 )) && return 0
    [ "$SECONDS" -ge "$end" ] && e2e_fail "the list's text is ${H}px high, expected $1 (see $2.png)"
    sleep 0.1
  done
}

# e2e_hold PATH: another process opens PATH with no sharing and keeps it open
# until e2e_release; fails when it could not open it.
e2e_hold() {
  local dir=$E2E_SCENARIO_DIR/holder end=$((SECONDS + 10))
  e2e_need_file "$E2E_HOLDER_EXE" "holder.exe"
  mkdir -p "$dir" && rm -f "$dir/holder.ready" "$dir/holder.failed" "$dir/release"
  cp "$E2E_HOLDER_EXE" "$dir/holder.exe" || e2e_fail "cannot copy holder.exe"
  e2e_wine_bg "$dir/holder.exe" hold "$(e2e_winepath "$1")"
  E2E_HOLDER_PID=$E2E_BG_PID
  until [ -f "$dir/holder.ready" ]; do
    [ -f "$dir/holder.failed" ] && e2e_fail "holder.exe could not open $1: error $(cat "$dir/holder.failed")"
    [ "$SECONDS" -ge "$end" ] && e2e_fail "holder.exe did not report holding $1"
    sleep 0.05
  done
  e2e_log "holder.exe (pid $E2E_HOLDER_PID) holds $(basename "$1")"
}

# e2e_release: the holder closes the file and ends.
e2e_release() {
  touch "$E2E_SCENARIO_DIR/holder/release"
  e2e_wait_exit "$E2E_HOLDER_PID" 10 || e2e_fail "holder.exe did not let go"
  wait "$E2E_HOLDER_PID" 2>/dev/null
  rm -f "$E2E_SCENARIO_DIR/holder/release" "$E2E_SCENARIO_DIR/holder/holder.ready"
  e2e_log "holder.exe let go"
}

# e2e_set_readonly PATH on|off: sets or clears the DOS read-only attribute.
e2e_set_readonly() {
  local how=readonly
  [ "$2" = off ] && how=writable
  e2e_wine "$E2E_HOLDER_EXE" "$how" "$(e2e_winepath "$1")" >/dev/null 2>&1 \
    || e2e_fail "cannot make $(basename "$1") $how"
}

# e2e_expect_readonly PATH: fails unless PATH is read-only (Wine keeps the
# attribute as a mode without any write permission).
e2e_expect_readonly() {
  local mode
  mode=$(stat -c %a "$1" 2>/dev/null) || e2e_fail "$(basename "$1") is gone"
  (( (8#$mode & 8#222) == 0 )) || e2e_fail "$(basename "$1") lost its read-only attribute (mode $mode)"
}

# e2e_expect_no_leftover DIR: fails when a save left data.txt.saving in DIR.
e2e_expect_no_leftover() {
  [ ! -e "${1:-.}/data.txt.saving" ] || e2e_fail "data.txt.saving was left behind"
}

# e2e_private_kb PID: the process's private memory in kB (Private_Clean +
# Private_Dirty of smaps_rollup).
e2e_private_kb() {
  awk '/^Private_(Clean|Dirty):/ {kb += $2} END {print kb + 0}' "/proc/$1/smaps_rollup" 2>/dev/null
}

# e2e_on_exit COMMAND: runs COMMAND (after the usual clean-up) when the
# scenario ends however it ends: unmounting, unlocking, ...
e2e_on_exit() {
  E2E_EXTRA_CLEANUP="${E2E_EXTRA_CLEANUP:-}$1;"
  trap 'e2e_scenario_cleanup; eval "$E2E_EXTRA_CLEANUP"' EXIT
}

# e2e_hostile_check KEYWORD TARGET: the program started on a hostile
# data.txt (kept as data.orig) runs and shows, a lookup of KEYWORD launches
# the witness TARGET once and nothing else, and a close with nothing
# changed leaves data.txt byte for byte as it was.
e2e_hostile_check() {
  local before
  e2e_expect_no_message
  e2e_expect_running
  before=$(e2e_log_count witness.log)
  e2e_lookup "$1"
  e2e_expect_launches "$before" "$2"
  e2e_expect_running
  e2e_close_unchanged data.orig
  e2e_expect_no_leftover .
}

# e2e_witness_entry NAME: prints "w:<Windows path of the witness NAME>",
# copying the witness into the scenario directory.
e2e_witness_entry() {
  e2e_witness "$1"
  printf '%s:%s' "${2:-w}" "$(e2e_winepath "$E2E_SCENARIO_DIR/$1")"
}
