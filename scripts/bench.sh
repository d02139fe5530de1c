#!/usr/bin/env bash
# Measures start-up, List1 filling, lookup, save, scrolling, idle memory and
# the .exe's size under Wine, beside two yardstick windows started the same way
# in the same run (a blank one, and one with the themed controls the launcher
# shows), and the native store benchmark; prints one table and writes it
# to docs/benchmarks.md. Not part of the tests: nothing here passes or fails.
#   QUILLET_BENCH_RUNS    start-ups per program and size (default 15)
#   QUILLET_BENCH_BEFORE  a commit to measure beside this tree, alternating
#                         with it, for a before/after table (default: none)
# Take the lock shared with the other Wine jobs: flock /tmp/quillet-wine.lock ./scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${QUILLET_BENCH_RUNS:-15}
before_rev=${QUILLET_BENCH_BEFORE:-}
bash scripts/deps.sh native windows e2e
. scripts/display.sh

# build DIR SOURCE: the Windows programs of the tree at SOURCE into DIR.
build() {
  cmake -S "$2" -B "$1" --toolchain "$2/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$1" -j2 --target Quillet baseline themed startwatch win_bench >/dev/null
}
echo "Building..." >&2
cmake --preset native >/dev/null && cmake --build build/native -j2 --target store_bench >/dev/null
build "$root/build/mingw-bench" "$root"
bin=$root/build/mingw-bench
variants=(after)
declare -A exe=([after]=$bin/Quillet.exe)
if [ -n "$before_rev" ]; then
  before_src=$root/build/bench-before/src
  rm -rf "$before_src" && mkdir -p "$before_src"
  git archive "$before_rev" | tar -x -C "$before_src"
  # The in-process figures of this tree, on the older tree's list and file API.
  [ -f "$before_src/bench/win_bench.cpp" ] && ! grep -q scroll_page_paint "$before_src/bench/win_bench.cpp" &&
    sed -e '/EntryList entries(list);/d' -e 's/    LineList items;/    std::vector<std::wstring> items;/' \
      -e 's/items.Insert(items.size(), EntryLine(i));/items.push_back(EntryLine(i));/' \
      -e 's/Form1Wiring{window, list, entries, /Form1Wiring{window, list, /' bench/win_bench.cpp >"$before_src/bench/win_bench.cpp"
  build "$root/build/bench-before/build" "$before_src"
  variants=(before after)
  exe[before]=$root/build/bench-before/build/Quillet.exe
fi

# Wine in a prefix of its own, under a Chinese UTF-8 locale, on a virtual display.
env_root=$root/build/bench-env
mkdir -p "$env_root/home/.fluxbox"
export LOCPATH=$env_root/locale HOME=$env_root/home WINEPREFIX=$env_root/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES=winemenubuilder.exe=d XDG_RUNTIME_DIR=$env_root/xdg
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
[ -f "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ] || { mkdir -p "$LOCPATH" && localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" >/dev/null 2>&1 || true; }
printf 'background: none\n' >"$HOME/.fluxbox/overlay"
wine_() { LC_ALL=zh_CN.UTF-8 wine "$@"; }
teardown() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${WM_PID:-}" ] && kill -9 "$WM_PID" 2>/dev/null
  [ -n "${DISPLAY_PID:-}" ] && kill "$DISPLAY_PID" 2>/dev/null
  true
}
trap teardown EXIT
start_display 1920x1080x24 && start_window_manager || { echo "cannot start the virtual display" >&2; exit 1; }
if [ ! -f "$WINEPREFIX/.bench-ready" ]; then
  echo "Creating the Wine prefix..." >&2
  rm -rf "$WINEPREFIX"
  wine_ wineboot -i >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/.bench-ready"
fi
wineserver -p

work=$env_root/work
rm -rf "$work" && mkdir -p "$work"
median() { sort -n | awk '{a[NR]=$1} END {if (NR == 0) print ""; else print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
private_kb() {  # private memory of a Unix process, in KiB
  awk '/^Private_(Clean|Dirty):/ {s+=$2} END {print s}' "/proc/$1/smaps_rollup"
}
# Private KiB per mapping of a process, summed by what is mapped: a file's
# name, or [heap] / [anon] for the rest.
private_by_mapping() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / {name = (NF >= 6 ? $6 : "[anon]"); sub(/.*\//, "", name)}
       /^Private_(Clean|Dirty):/ {s[name] += $2}
       END {for (n in s) if (s[n] > 0) print n "\t" s[n]}' "/proc/$1/smaps"
}
# start_once DIR EXE TITLE [LINGER_MS]: starts a program through startwatch
# and prints its start-up time in ms. With MEASURE set, also writes its idle
# private memory (KiB) after 2 s to $MEASURE and its mappings to $MEASURE.maps.
start_once() {
  local out pid="" linger=${4:-0}
  if [ -n "${MEASURE:-}" ]; then
    (cd "$1" && wine_ "$bin/startwatch.exe" "$3" "$2" 4000) >"$work/watch.out" 2>/dev/null &
    local watch=$!
    rm -f "$MEASURE"
    for _ in $(seq 1 100); do
      [ -s "$work/watch.out" ] && pid=$(pgrep -n -f "$2") && break
      sleep 0.1
    done
    sleep 2
    if [ -n "$pid" ]; then
      private_kb "$pid" >"$MEASURE"
      private_by_mapping "$pid" >"$MEASURE.maps"
    else
      echo 0 >"$MEASURE"
    fi
    wait "$watch"
    head -n1 "$work/watch.out"
  else
    (cd "$1" && wine_ "$bin/startwatch.exe" "$3" "$2" "$linger") 2>/dev/null | head -n1
  fi
}

title="Vellmar Quillet V1.0"
btitle="Quillet Baseline"
ttitle="Quillet Themed"
# The folder of a program and its entries: DIR/VARIANT with Quillet.exe
# (named apart so that pgrep tells them apart) and data.txt.
prepare() {  # N
  local dir=$work/$1 v
  mkdir -p "$dir/base" "$dir/themed"
  if [ ! -f "$work/data-$1.txt" ]; then
    if [ "$1" -eq 0 ]; then : >"$work/data-$1.txt"; else python3 bench/make_entries.py "$1" "$work/data-$1.txt"; fi
  fi
  cp "$bin/baseline.exe" "$dir/base/"
  cp "$bin/themed.exe" "$dir/themed/"
  for v in "${variants[@]}"; do
    mkdir -p "$dir/$v"
    cp "${exe[$v]}" "$dir/$v/Quillet-$v.exe"
    cp "$work/data-$1.txt" "$dir/$v/data.txt"
  done
}

declare -A start mem
# Untimed first starts: Wine's own services and the desktop start with the first program.
prepare 0
for _ in 1 2; do
  for v in "${variants[@]}"; do start_once "$work/0/$v" "Quillet-$v.exe" "$title" >/dev/null; done
  start_once "$work/0/base" baseline.exe "$btitle" >/dev/null
  start_once "$work/0/themed" themed.exe "$ttitle" >/dev/null
done
sizes=(0 1000 100000 1000000)
for n in "${sizes[@]}"; do
  prepare "$n"
  dir=$work/$n
  # A million entries only shows whether they appear within a second: fewer runs.
  r=$runs
  [ "$n" -eq 1000000 ] && r=5
  echo "Start-up with $n entries ($r runs each, alternating)..." >&2
  for v in "${variants[@]}" base themed; do : >"$work/t-$v"; done
  for _ in $(seq 1 "$r"); do
    for v in "${variants[@]}"; do start_once "$dir/$v" "Quillet-$v.exe" "$title" >>"$work/t-$v"; done
    start_once "$dir/base" baseline.exe "$btitle" >>"$work/t-base"
    start_once "$dir/themed" themed.exe "$ttitle" >>"$work/t-themed"
  done
  for v in "${variants[@]}" base themed; do start[$v,$n]=$(median <"$work/t-$v"); done
  if [ "$n" -eq 1000 ] || [ "$n" -eq 100000 ]; then
    for v in "${variants[@]}" base themed; do : >"$work/m-$v"; done
    for _ in 1 2 3; do
      for v in "${variants[@]}"; do
        MEASURE=$work/mq start_once "$dir/$v" "Quillet-$v.exe" "$title" >/dev/null
        cat "$work/mq" >>"$work/m-$v" && cp "$work/mq.maps" "$work/maps-$v-$n"
      done
      MEASURE=$work/mb start_once "$dir/base" baseline.exe "$btitle" >/dev/null
      cat "$work/mb" >>"$work/m-base" && cp "$work/mb.maps" "$work/maps-base-$n"
      MEASURE=$work/mt start_once "$dir/themed" themed.exe "$ttitle" >/dev/null
      cat "$work/mt" >>"$work/m-themed" && cp "$work/mt.maps" "$work/maps-themed-$n"
    done
    for v in "${variants[@]}" base themed; do mem[$v,$n]=$(median <"$work/m-$v"); done
  fi
done

# The steps before the window shows, from the program's own marks (the
# measured tree only: QUILLET_STARTUP_MARKS).
echo "Start-up steps..." >&2
for n in 1000 100000; do
  dir=$work/$n/after
  for _ in $(seq 1 "$runs"); do
    rm -f "$dir/marks.txt"
    QUILLET_STARTUP_MARKS=marks.txt start_once "$dir" Quillet-after.exe "$title" 1500 >/dev/null
    cat "$dir/marks.txt" 2>/dev/null
  done >"$work/marks-$n"
done
step() { awk -v s="$1" '$1==s {print $2}' "$work/marks-$2" | median; }

echo "In-process figures..." >&2
declare -A winb
for v in "${variants[@]}"; do
  d=$bin
  [ "$v" = before ] && d=$root/build/bench-before/build
  wine_ "$d/win_bench.exe" 2>/dev/null | tr -d '\r' >"$work/win-$v.tsv"
done
fig() { awk -v f="$2" -v n="$3" '$1==f && $2==n {print $3}' "$work/win-$1.tsv"; }
echo "Native store benchmark..." >&2
build/native/store_bench --benchmark_format=csv 2>/dev/null >"$work/store.csv"
native() { awk -F, -v name="\"$1\"" '$1==name {printf "%.3f ms (%.1f× the bare read)", $3, $NF}' "$work/store.csv"; }

exe_size=$(stat -c %s "$bin/Quillet.exe")
imports=$(python3 tests/pe/check_pe.py "$bin/Quillet.exe" | sed -n 's/.*imports: //p')
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (a == "" || b == "" || b == 0) print "–"; else printf "%.2f×", a / b}'; }
mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
change() { awk -v a="$1" -v b="$2" 'BEGIN {if (a == "" || b == "" || a == 0) print "–"; else printf "%+.0f %%", (b - a) * 100 / a}'; }
{
  echo "# Benchmarks"
  echo
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GB", $2/1048576}' /proc/meminfo), $(lscpu | sed -n 's/^Model name: *//p' | head -n1), $(wine --version) on Xvfb; the command: \`flock /tmp/quillet-wine.lock ./scripts/bench.sh\`${before_rev:+ with \`QUILLET_BENCH_BEFORE=$before_rev\`}."
  echo "Start-up is from CreateProcess to the visible main window (shown only after its list is filled), median of $runs runs (5 at 1,000,000 entries), ${variants[*]}, the blank baseline window and the themed window alternating. The themed window is the baseline's borderless topmost window with the version-6 common controls from a manifest, a themed edit box, and a list box with a scroll bar and 100 lines of SimSun text: what the system draws for the launcher, without the launcher's own work. Idle private memory is the sum of the private pages (\`Private_Clean\` + \`Private_Dirty\` of \`/proc/PID/smaps_rollup\`) 2 s after the window showed, median of 3."
  echo
  echo "| figure | 0 | 1,000 | 100,000 | 1,000,000 | goal |"
  echo "|---|---|---|---|---|---|"
  for v in "${variants[@]}"; do
    printf '| start-up, %s (ms) | %s | %s | %s | %s | 1,000,000 within 1,000 ms |\n' "$v" "${start[$v,0]}" "${start[$v,1000]}" "${start[$v,100000]}" "${start[$v,1000000]}"
  done
  printf '| start-up, baseline window (ms) | %s | %s | %s | %s | |\n' "${start[base,0]}" "${start[base,1000]}" "${start[base,100000]}" "${start[base,1000000]}"
  printf '| start-up, themed window (ms) | %s | %s | %s | %s | |\n' "${start[themed,0]}" "${start[themed,1000]}" "${start[themed,100000]}" "${start[themed,1000000]}"
  for y in base themed; do
    for v in "${variants[@]}"; do
      goal=""
      [ "$y" = base ] && goal="≤ 1.15× at 1,000, ≤ 1.30× at 100,000"
      printf '| start-up ratio, %s / %s window | %s | %s | %s | %s | %s |\n' "$v" "${y/base/baseline}" "$(ratio "${start[$v,0]}" "${start[$y,0]}")" \
        "$(ratio "${start[$v,1000]}" "${start[$y,1000]}")" "$(ratio "${start[$v,100000]}" "${start[$y,100000]}")" \
        "$(ratio "${start[$v,1000000]}" "${start[$y,1000000]}")" "$goal"
    done
  done
  printf '| start-up ratio, themed / baseline window | %s | %s | %s | %s | |\n' "$(ratio "${start[themed,0]}" "${start[base,0]}")" \
    "$(ratio "${start[themed,1000]}" "${start[base,1000]}")" "$(ratio "${start[themed,100000]}" "${start[base,100000]}")" "$(ratio "${start[themed,1000000]}" "${start[base,1000000]}")"
  for y in base themed; do
    for v in "${variants[@]}"; do
      goal=""
      [ "$y" = base ] && goal="≤ 5 MiB at 1,000, ≤ 8 MiB at 100,000"
      printf '| idle private memory, %s − %s window (MiB) | | %s | %s | | %s |\n' "$v" "${y/base/baseline}" \
        "$(mib $(( ${mem[$v,1000]} - ${mem[$y,1000]} )))" "$(mib $(( ${mem[$v,100000]} - ${mem[$y,100000]} )))" "$goal"
    done
  done
  printf '| idle private memory, baseline window (MiB) | | %s | %s | | |\n' "$(mib "${mem[base,1000]}")" "$(mib "${mem[base,100000]}")"
  printf '| idle private memory, themed window (MiB) | | %s | %s | | |\n' "$(mib "${mem[themed,1000]}")" "$(mib "${mem[themed,100000]}")"
  echo
  echo "In process, with the real controls (\`win_bench.exe\`), median ms:"
  echo
  printf '| figure | entries |'; for v in "${variants[@]}"; do printf ' %s |' "$v"; done
  [ ${#variants[@]} -gt 1 ] && printf ' change | goal |'
  echo; printf '|---|---|'; for v in "${variants[@]}"; do printf -- '---|'; done
  [ ${#variants[@]} -gt 1 ] && printf -- '---|---|'
  echo
  for row in "list_fill 1000" "list_fill 100000" "bare_read 100000" "save 1000" "save 100000" "lookup_1_keyword 32767" \
             "lookup_5_keywords 32767" "scroll_page_paint 100000"; do
    set -- $row
    printf '| %s | %s |' "$1" "$2"
    for v in "${variants[@]}"; do printf ' %s |' "$(fig "$v" "$1" "$2")"; done
    [ ${#variants[@]} -gt 1 ] && printf ' %s | no regression > 10 %% |' "$(change "$(fig before "$1" "$2")" "$(fig after "$1" "$2")")"
    echo
  done
  echo
  echo "Start-up steps of this tree, from its own marks (\`QUILLET_STARTUP_MARKS\`), ms since the process was created, median of $runs runs. \`entered\` is the start of \`wWinMain\` (Wine has loaded the program and the DLLs it imports), \`window\` the main window made, \`controls\` the controls seen at once, \`loaded_and_shown\` the end of \`Form_Load\` (the file read into the list, the window shown: what startwatch waits for), \`first_paint\` its first \`UpdateWindow\`, \`after_shown_done\` the end of what waits until then (the list buttons, OLE and the drop target, the tool tips, the summoning key):"
  echo
  echo "| step | 1,000 | 100,000 |"
  echo "|---|---|---|"
  for s in entered common_controls window controls list_item_height window_created forms_wired loaded_and_shown first_paint \
    ole after_shown_done; do
    printf '| %s | %s | %s |\n' "$s" "$(step "$s" 1000)" "$(step "$s" 100000)"
  done
  echo
  echo "Where this tree's idle private memory at 100,000 entries lies beyond the baseline's (KiB, by mapping; the largest differences):"
  echo
  echo "| mapping | Quillet | baseline | difference |"
  echo "|---|---|---|---|"
  awk -F'\t' 'FNR == NR {b[$1] = $2; next} {q[$1] = $2}
    END {for (n in q) d[n] = q[n] - b[n]; for (n in b) if (!(n in q)) d[n] = -b[n];
         for (n in d) printf "%s\t%d\t%d\t%d\n", n, q[n], b[n], d[n]}' "$work/maps-base-100000" "$work/maps-after-100000" |
    sort -t$'\t' -k4,4nr | head -n 12 | awk -F'\t' '{printf "| %s | %s | %s | %s |\n", $1, $2, $3, $4}'
  echo
  printf '| figure | value | goal |\n|---|---|---|\n'
  printf '| Quillet.exe | %s bytes, static; imports %s | ≤ 600 KB, system DLLs only |\n' "$exe_size" "$imports"
  echo
  echo "Native (g++, Google Benchmark, \`build/native/store_bench\`):"
  echo
  echo "| figure | 1,000 | 32,767 | 1,000,000 |"
  echo "|---|---|---|---|"
  for b in BM_Load BM_Lookup1Word BM_Lookup5Words BM_Save BM_EditAtTop; do
    printf '| %s | %s | %s | %s |\n' "${b#BM_}" "$(native "$b/1000")" "$(native "$b/32767")" "$(native "$b/1000000")"
  done
  file_kib=$(( $(stat -c %s "$work/data-100000.txt") / 1024 ))
  sum_of() { awk -F'\t' -v p="$2" '$1 ~ p {s += $2} END {print s + 0}' "$work/maps-$1"; }
  echo
  echo "## What the memory above the baseline is"
  echo
  echo "The table above is read from \`/proc/PID/smaps\` of both processes, summed by what each private page belongs to; the baseline shows only what every Wine process has. At 100,000 entries:"
  echo
  echo "- **The entries themselves**: data.txt's bytes as loaded, $(mib "$file_kib") MiB, and one 8-byte record per line, $(mib $(( 100000 * 8 / 1024 ))) MiB; nothing is decoded until drawn. They lie in Wine's anonymous memory (\`[anon]\`), beside the rest of the Windows heaps."
  echo "- **Fonts**: the Chinese font file that stands in for the missing faces (\`wqy-microhei.ttc\`, $(mib "$(sum_of after-100000 'wqy')") MiB of its pages read by FreeType for the Chinese on screen) and Wine's Unix heap (\`[heap]\`, $(mib $(( $(sum_of after-100000 '^\\[heap') - $(sum_of base-100000 '^\\[heap') ))) MiB more than the baseline's: fontconfig's font list and FreeType's faces, made at the first text drawn; the baseline draws none)."
  echo "- **comctl32**: the version 6 controls the manifest asks for (themed edit box, list and buttons), $(mib "$(sum_of after-100000 'comctl32')") MiB of the DLL's pages (no other process of the session maps it, so all are private), the theme file \`light.msstyles\` ($(mib "$(sum_of after-100000 'msstyles')") MiB) and the theme's pictures decoded into a 0.75 MiB block of anonymous memory (its pixels are the theme's colours)."
  echo "- **The rest of the anonymous memory** ($(mib "$(sum_of after-100000 '^\\[anon')") MiB against the baseline's $(mib "$(sum_of base-100000 '^\\[anon')") MiB, the entries included): Quillet.exe's code, which Wine reads into private memory (0.3 MiB; its sections are not page-aligned in the file), and the Windows heaps of the controls, OLE and the program."
  echo
  echo "What start-up leaves until the window has painted (the fonts of the controls not on screen, OLE for the drop target, the tool tips, the summoning key) still happens within the first second, so it counts in the idle memory; the item names' annotation waits until a screen reader asks, and the accessibility DLL (\`oleacc.dll\`) is not loaded before."
} >"$work/table.md"
mkdir -p docs
# The notes that explain the figures follow the tables.
cat "$work/table.md" bench/notes.md >docs/benchmarks.md
cat docs/benchmarks.md
