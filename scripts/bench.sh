#!/usr/bin/env bash
# Measures start-up, List1 filling, lookup latency, idle memory and the .exe's
# size under Wine, beside a baseline window started the same way in the same
# run, and the native store benchmark; prints one table and writes it to
# docs/benchmarks.md. Not part of the tests: nothing here passes or fails.
#   QUILLET_BENCH_RUNS  start-ups per program and size (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${QUILLET_BENCH_RUNS:-10}
bash scripts/deps.sh native windows e2e

echo "Building..." >&2
cmake --preset native >/dev/null && cmake --build build/native -j"$(nproc)" --target store_bench >/dev/null
cmake -S . -B build/mingw-bench --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/mingw-bench -j"$(nproc)" --target Quillet baseline startwatch win_bench >/dev/null
bin=$root/build/mingw-bench

export E2E_ROOT=$root/build/bench-env E2E_BUILD=$bin
# The harness's functions expect to check their own failures.
set +e +u
source tests/e2e/lib.sh
e2e_suite_setup >&2 || { echo "cannot set up Wine and the virtual display" >&2; exit 1; }
trap 'e2e_suite_teardown >/dev/null 2>&1' EXIT

work=$E2E_ROOT/work
rm -rf "$work" && mkdir -p "$work"
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
private_kb() {  # private memory of a Unix process, in KiB
  awk '/^Private_(Clean|Dirty):/ {s+=$2} END {print s}' "/proc/$1/smaps_rollup"
}
# Starts a program through startwatch; prints its start-up time in ms. With
# MEASURE set, also writes its idle private memory (KiB) after 2 s to $MEASURE.
start_once() {  # DIR EXE TITLE
  local out pid=""
  if [ -n "${MEASURE:-}" ]; then
    (cd "$1" && e2e_wine "$bin/startwatch.exe" "$3" "$2" 4000) >"$work/watch.out" 2>/dev/null &
    local watch=$!
    rm -f "$MEASURE"
    for _ in $(seq 1 100); do
      [ -s "$work/watch.out" ] && pid=$(pgrep -n -f "$2") && break
      sleep 0.1
    done
    sleep 2
    if [ -n "$pid" ]; then private_kb "$pid" >"$MEASURE"; else echo 0 >"$MEASURE"; fi
    wait "$watch"
    head -n1 "$work/watch.out"
  else
    (cd "$1" && e2e_wine "$bin/startwatch.exe" "$3" "$2" 0) 2>/dev/null | head -n1
  fi
}

declare -A start_q start_b mem_q mem_b
# Untimed first starts: Wine's own services and the desktop start with the first program.
mkdir -p "$work/warm" && cp "$bin/Quillet.exe" "$bin/baseline.exe" "$work/warm/" && : >"$work/warm/data.txt"
for _ in 1 2; do
  start_once "$work/warm" Quillet.exe "Vellmar Quillet V1.0" >/dev/null
  start_once "$work/warm" baseline.exe "Quillet Baseline" >/dev/null
done
for n in 0 1000 32767 100000; do
  dir=$work/$n
  mkdir -p "$dir"
  cp "$bin/Quillet.exe" "$bin/baseline.exe" "$dir/"
  if [ "$n" -eq 0 ]; then : >"$dir/data.txt"; else python3 bench/make_entries.py "$n" "$dir/data.txt"; fi
  echo "Start-up with $n entries ($runs runs each, alternating)..." >&2
  : >"$work/q" ; : >"$work/b"
  for _ in $(seq 1 "$runs"); do
    start_once "$dir" Quillet.exe "Vellmar Quillet V1.0" >>"$work/q"
    start_once "$dir" baseline.exe "Quillet Baseline" >>"$work/b"
  done
  start_q[$n]=$(median <"$work/q")
  start_b[$n]=$(median <"$work/b")
  if [ "$n" -eq 1000 ] || [ "$n" -eq 100000 ]; then
    MEASURE=$work/mq start_once "$dir" Quillet.exe "Vellmar Quillet V1.0" >/dev/null
    MEASURE=$work/mb start_once "$dir" baseline.exe "Quillet Baseline" >/dev/null
    mem_q[$n]=$(cat "$work/mq"); mem_b[$n]=$(cat "$work/mb")
  fi
done

echo "In-process figures..." >&2
e2e_wine "$bin/win_bench.exe" 2>/dev/null | tr -d '\r' >"$work/win_bench.tsv"
fig() { awk -v f="$1" -v n="$2" '$1==f && $2==n {print $3}' "$work/win_bench.tsv"; }
echo "Native store benchmark..." >&2
build/native/store_bench --benchmark_format=csv 2>/dev/null >"$work/store.csv"
native() { awk -F, -v name="\"$1\"" '$1==name {printf "%.3f ms (%.1f× the bare read)", $3, $NF}' "$work/store.csv"; }

exe_size=$(stat -c %s "$bin/Quillet.exe")
imports=$(python3 tests/pe/check_pe.py "$bin/Quillet.exe" | sed -n 's/.*imports: //p')
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f×", a / b}'; }
{
  echo "# Benchmarks"
  echo
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GB", $2/1048576}' /proc/meminfo), $(lscpu | sed -n 's/^Model name: *//p' | head -n1), $(wine --version) on Xvfb; the command: \`./scripts/bench.sh\`."
  echo "Start-up is from CreateProcess to the visible main window (shown only after its list is filled), median of $runs runs, Quillet and the baseline window alternating."
  echo
  echo "| figure | 0 | 1,000 | 32,767 | 100,000 | goal |"
  echo "|---|---|---|---|---|---|"
  printf '| start-up, Quillet (ms) | %s | %s | %s | %s | |\n' "${start_q[0]}" "${start_q[1000]}" "${start_q[32767]}" "${start_q[100000]}"
  printf '| start-up, baseline window (ms) | %s | %s | %s | %s | |\n' "${start_b[0]}" "${start_b[1000]}" "${start_b[32767]}" "${start_b[100000]}"
  printf '| start-up ratio | %s | %s | %s | %s | ≤ 1.10× at 1,000, ≤ 1.5× at 100,000 |\n' "$(ratio "${start_q[0]}" "${start_b[0]}")" \
    "$(ratio "${start_q[1000]}" "${start_b[1000]}")" "$(ratio "${start_q[32767]}" "${start_b[32767]}")" "$(ratio "${start_q[100000]}" "${start_b[100000]}")"
  printf '| List1 filled from the file, in process (ms) | %s | %s | %s | %s | ≤ 300 ms at 100,000 |\n' "$(fig list_fill 0)" "$(fig list_fill 1000)" "$(fig list_fill 32767)" "$(fig list_fill 100000)"
  printf '| bare read of the file (ms) | %s | %s | %s | %s | |\n' "$(fig bare_read 0)" "$(fig bare_read 1000)" "$(fig bare_read 32767)" "$(fig bare_read 100000)"
  printf '| idle private memory, Quillet − baseline (KiB) | | %s | | %s | ≤ 4 MB at 1,000 |\n' "$(( ${mem_q[1000]} - ${mem_b[1000]} ))" "$(( ${mem_q[100000]} - ${mem_b[100000]} ))"
  echo
  echo "| figure | value | goal |"
  echo "|---|---|---|"
  printf '| lookup, key-down to last OpenTarget, 32,767 entries, 1 keyword | %s ms (%s the bare read) | ≤ 3× |\n' "$(fig lookup_1_keyword 32767)" "$(ratio "$(fig lookup_1_keyword 32767)" "$(fig bare_read 32767)")"
  printf '| lookup, 5 keywords | %s ms (%s the bare read) | ≤ 3× |\n' "$(fig lookup_5_keywords 32767)" "$(ratio "$(fig lookup_5_keywords 32767)" "$(fig bare_read 32767)")"
  printf '| idle private memory, Quillet / baseline (KiB), 1,000 entries | %s / %s | |\n' "${mem_q[1000]}" "${mem_b[1000]}"
  printf '| idle private memory, Quillet / baseline (KiB), 100,000 entries | %s / %s | |\n' "${mem_q[100000]}" "${mem_b[100000]}"
  printf '| Quillet.exe | %s bytes, static; imports %s | ≤ 600 KB, system DLLs only |\n' "$exe_size" "$imports"
  echo
  echo "Native (g++, Google Benchmark, \`build/native/store_bench\`):"
  echo
  echo "| figure | 1,000 | 32,767 | 1,000,000 |"
  echo "|---|---|---|---|"
  for b in BM_Load BM_Lookup1Word BM_Lookup5Words BM_Save; do
    printf '| %s | %s | %s | %s |\n' "${b#BM_}" "$(native "$b/1000")" "$(native "$b/32767")" "$(native "$b/1000000")"
  done
} >"$work/table.md"
mkdir -p docs
cp "$work/table.md" docs/benchmarks.md
cat docs/benchmarks.md
