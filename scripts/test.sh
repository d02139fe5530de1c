#!/usr/bin/env bash
# Runs every test tier: native unit tests, the fuzzer (about 30 s), the Windows
# tests under Wine, and the end-to-end scenarios of the real program under Wine
# on a virtual display. Installs what is missing first. Exits non-zero on any failure.
#   QUILLET_FUZZ_SECONDS  fuzzing time per target (default 30; 600 with QUILLET_LONG)
#   QUILLET_LONG=1        also the long runs: 10 minutes of fuzzing and 200
#                         kills of the program while it saves
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
[ -n "${QUILLET_LONG:-}" ] && : "${QUILLET_FUZZ_SECONDS:=600}"
failed=()

step() { echo; echo "=== $*"; }

step "Packages"
bash scripts/deps.sh native fuzz windows e2e || { echo "cannot install packages"; exit 1; }

step "Native unit tests"
if cmake --preset native >/dev/null && cmake --build build/native -j"$jobs" >/dev/null; then
  ctest --preset native -j"$jobs" | tail -n 3 || failed+=(native)
else
  failed+=(native-build)
fi

step "Fuzzing (${QUILLET_FUZZ_SECONDS:-30} s per target)"
if cmake --preset fuzz >/dev/null && cmake --build build/fuzz -j"$jobs" >/dev/null; then
  for fuzzer in build/fuzz/*_fuzz; do
    name=$(basename "$fuzzer")
    work=$(mktemp -d)
    if "$fuzzer" -max_total_time="${QUILLET_FUZZ_SECONDS:-30}" -max_len=4096 -print_final_stats=1 \
        "$work" "tests/fuzz/corpus/${name%_fuzz}" >build/fuzz/$name.log 2>&1; then
      grep -E '^stat::number_of_executed_units' build/fuzz/$name.log | sed "s/^/$name: /"
      echo "$name: 0 findings"
    else
      tail -n 30 build/fuzz/$name.log
      failed+=("$name")
    fi
    rm -rf "$work"
  done
else
  failed+=(fuzz-build)
fi

step "Windows tests under Wine"
if cmake --preset mingw >/dev/null && cmake --build build/mingw -j"$jobs" >/dev/null; then
  (
    # A prefix and a virtual display of their own (the message-box tests need
    # one); tests/e2e has its own.
    export WINEPREFIX="$root/build/wine-unit" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
    for n in $(seq 60 89); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null' EXIT
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
    wineserver -p
    # Start Wine's services before ctest: started from inside a test, they
    # would hold its output pipe open and the test would never end.
    wine cmd.exe /c exit >/dev/null 2>&1
    # A test that fails once is run once more (Wine on a busy machine); a
    # real fault fails both times.
    ctest --preset mingw -j"$jobs" --repeat until-pass:2 | tail -n 3
    status=${PIPESTATUS[0]}
    wineserver -k; wineserver -w
    exit "$status"
  ) || failed+=(windows)
else
  cmake --build build/mingw -j"$jobs" 2>&1 | grep -E 'error' | head -n 20
  failed+=(windows-build)
fi

step "End-to-end scenarios under Wine"
tests/e2e/run.sh || failed+=(e2e)

if [ -n "${QUILLET_LONG:-}" ]; then
  step "Killed while saving, 200 times"
  tests/e2e/crash_during_save.sh 200 || failed+=(crash-during-save)
fi

echo
if [ ${#failed[@]} -eq 0 ]; then
  echo "All test tiers passed."
else
  echo "FAILED: ${failed[*]}"
  exit 1
fi
