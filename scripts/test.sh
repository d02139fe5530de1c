#!/usr/bin/env bash
# Runs every test tier: native unit tests, the fuzzer (about 30 s), the Windows
# tests under Wine, and the end-to-end journeys of the real program under Wine
# on a virtual display. Installs what is missing first. Prints every failure
# in full, every retry, and the counts per tier; exits non-zero on any failure.
#   QUILLET_FUZZ_SECONDS  fuzzing time per target (default 30; 600 with QUILLET_LONG)
#   QUILLET_LONG=1        also the long runs: 10 minutes of fuzzing and 200 kills of
#                         the program while it saves
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
[ -n "${QUILLET_LONG:-}" ] && : "${QUILLET_FUZZ_SECONDS:=600}" && export QUILLET_LONG
logs=$root/build/test-logs
rm -rf "$logs" && mkdir -p "$logs"
tiers=() retries=() passed_all=0 failed_all=0

step() { echo; echo "=== $*"; }
# count TIER PASSED FAILED: records a tier's counts.
# A tier that ran nothing counts as one failure.
count() {
  [ $(($2 + $3)) -gt 0 ] || set -- "$1" 0 1
  tiers+=("$1: $2 passed, $3 failed")
  passed_all=$((passed_all + $2)) failed_all=$((failed_all + $3))
}
# ctest_counts LOG: "PASSED FAILED" from ctest's closing line.
ctest_counts() {
  awk '/tests passed, [0-9]+ tests? failed out of/ { f = $4; t = $NF } END { print t - f, f + 0 }' "$1"
}
# build PRESET [TARGET]: configures and builds; the compiler's output is shown on failure.
build() {
  cmake --preset "$1" >"$logs/$1-build.log" 2>&1 && cmake --build "build/$1" -j"$jobs" >>"$logs/$1-build.log" 2>&1 \
    || { cat "$logs/$1-build.log"; return 1; }
}

step "Packages"
bash scripts/deps.sh native fuzz windows e2e || { echo "cannot install packages"; exit 1; }

step "Native unit tests"
if build native; then
  ctest --preset native -j"$jobs" >"$logs/native.log" 2>&1
  read -r p f <<<"$(ctest_counts "$logs/native.log")"
  # A failure shows ctest's whole output; a pass its closing lines.
  if [ "$f" = 0 ] && [ "$p" != 0 ]; then grep -E 'tests passed|Total Test time' "$logs/native.log"; else cat "$logs/native.log"; fi
  count native "$p" "$f"
else
  count native 0 1
fi

# The fuzzer runs on one core while the Windows tier builds and waits on
# Wine; its results are printed after that tier.
fuzz_tier() {
  build fuzz || { echo "fuzz-build-failed"; return 1; }
  local fuzzer name work status=0
  for fuzzer in build/fuzz/*_fuzz; do
    name=$(basename "$fuzzer")
    work=$(mktemp -d)
    if "$fuzzer" -max_total_time="${QUILLET_FUZZ_SECONDS:-30}" -max_len=4096 -print_final_stats=1 \
        "$work" "tests/fuzz/corpus/${name%_fuzz}" >"$logs/$name.log" 2>&1; then
      grep -E '^stat::number_of_executed_units' "$logs/$name.log" | sed "s/^/$name: /"
      echo "$name: 0 findings"
    else
      cat "$logs/$name.log"
      echo "$name: FAILED"
      status=1
    fi
    rm -rf "$work"
  done
  return $status
}
fuzz_tier >"$logs/fuzz-tier.log" 2>&1 &
fuzz_pid=$!

step "Windows tests under Wine"
if build mingw; then
  (
    # A prefix and a virtual display of their own (the message-box tests need
    # one); tests/e2e has its own.
    export WINEPREFIX="$root/build/wine-unit" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
    . scripts/display.sh
    start_display 1024x768x24 || exit 1
    trap 'kill "$DISPLAY_PID" 2>/dev/null' EXIT
    [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
    wineserver -p
    # Start Wine's services before ctest: started from inside a test, they
    # would hold its output pipe open and the test would never end.
    wine cmd.exe /c exit >/dev/null 2>&1
    ctest --preset mingw -j"$jobs" -LE timing >"$logs/windows.log" 2>&1
    # Only tests labelled timing-dependent get a second run, and it is named.
    ctest --preset mingw -j"$jobs" -L timing >"$logs/windows-timing.log" 2>&1 \
      || { grep -oP '(?<=: )\S+(?= \.+\*+Failed)' "$logs/windows-timing.log" >"$logs/windows-retried.txt"
           ctest --preset mingw -L timing --rerun-failed >>"$logs/windows-timing.log" 2>&1; }
    wineserver -k; wineserver -w
  )
  read -r p f <<<"$(ctest_counts "$logs/windows.log")"
  if [ "$f" = 0 ] && [ "$p" != 0 ]; then grep -E 'tests passed|Total Test time' "$logs/windows.log"; else cat "$logs/windows.log"; fi
  if grep -q 'tests passed' "$logs/windows-timing.log"; then
    # After a rerun the last closing line counts.
    read -r tp tf <<<"$(ctest_counts "$logs/windows-timing.log")"
    [ "$tf" = 0 ] || cat "$logs/windows-timing.log"
    p=$((p + tp)) f=$((f + tf))
  fi
  [ -s "$logs/windows-retried.txt" ] 2>/dev/null && while read -r t; do retries+=("windows: $t"); done <"$logs/windows-retried.txt"
  rm -f "$logs/windows-retried.txt"
  count windows "$p" "$f"
else
  count windows 0 1
fi

step "Fuzzing (${QUILLET_FUZZ_SECONDS:-30} s per target)"
wait "$fuzz_pid"
cat "$logs/fuzz-tier.log"
count fuzz "$(grep -c ': 0 findings$' "$logs/fuzz-tier.log")" "$(grep -cE ': FAILED$|^fuzz-build-failed$' "$logs/fuzz-tier.log")"

step "End-to-end journeys under Wine"
tests/e2e/run.sh | tee "$logs/e2e.log"
e2e_status=${PIPESTATUS[0]}
read -r p f <<<"$(awk '/^[0-9]+ passed, [0-9]+ failed$/ { p = $1; f = $3 } END { print p + 0, f + 0 }' "$logs/e2e.log")"
[ "$e2e_status" = 0 ] || [ "$f" != 0 ] || f=1
[ -f build/e2e/retries.log ] && while read -r line; do retries+=("e2e: $line"); done <build/e2e/retries.log
count e2e "$p" "$f"

echo
echo "=== Summary"
if [ ${#retries[@]} -eq 0 ]; then echo "retried: none"; else printf 'retried: %s\n' "${retries[@]}"; fi
printf '%s\n' "${tiers[@]}"
echo "$passed_all passed, $failed_all failed"
[ "$failed_all" -eq 0 ]
