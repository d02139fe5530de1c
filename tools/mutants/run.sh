#!/usr/bin/env bash
# Runs the mutants of mutants.tsv one at a time against the tests.
#   tools/mutants/run.sh [ID...]     every mutant by default
# Each one is applied to a scratch copy of the tree as it is now (build/mutants/tree),
# built, and tested by the fastest tier that could catch it first: the native
# unit tests, then (if they pass, or for src/platform/win32) the unit and
# Windows tests built with MinGW under Wine, then the journey named in its
# last column, if any (a mutant in src/app, built into the program only, goes
# straight to its journey). The file is restored before the next one. Prints and
# appends to build/mutants/results.tsv: the mutant, its tier and the first
# failing test, or "survived".
#   MUTANTS_QUICK=1   a mutant outside src/platform/win32 that the native tests
#                     miss is reported without trying the Windows tier
#   MUTANTS_TREE=DIR  the scratch copy (default build/mutants/tree), for runs side by side
set -uo pipefail
# In braces: bash reads the whole script before it runs, so an edit meanwhile is harmless.
{
cd "$(dirname "$0")/../.."
root=$PWD
scratch=${MUTANTS_TREE:-$root/build/mutants/tree}
results=$root/build/mutants/results.tsv
logs=$root/build/mutants/logs
mkdir -p "$scratch" "$logs"

# The tree, tracked files and new ones; a file copied now gets a new time,
# so the scratch builds stay incremental and never miss a change.
git ls-files -co --exclude-standard | while read -r f; do
  [ -f "$f" ] && ! cmp -s "$f" "$scratch/$f" && mkdir -p "$scratch/$(dirname "$f")" && cp "$f" "$scratch/$f"
done
# A file gone from the tree goes from the copy too (a test file left there
# would still be built and run).
(cd "$scratch" && find . -path ./build -prune -o -type f -print) | sed 's|^\./||' | while read -r f; do
  [ -e "$f" ] || rm -f "$scratch/$f"
done

# Wine and a virtual display for one mutant's Windows tests (run in a subshell).
start_wine() {
  export WINEPREFIX="$scratch/build/wine" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
  . scripts/display.sh
  start_display 1024x768x24 || exit 1
  trap 'kill "$DISPLAY_PID" 2>/dev/null; wineserver -k' EXIT
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
  wineserver -p
  wine cmd.exe /c exit >/dev/null 2>&1
}

# first_failure LOG: the first failing test of a GoogleTest run, or what stopped it.
first_failure() {
  grep -m1 -oP '^\[  FAILED  \] \K[\w/.]+' "$1" || echo "exit status $2 (crashed or timed out)"
}

# native / windows ID: "" when every test passes, else what failed.
native() {
  (cd "$scratch" && { [ -d build/native ] || cmake --preset native >/dev/null; } &&
    cmake --build build/native -j2 --target unit_tests) >"$logs/$1.build" 2>&1 || { echo "build failed"; return; }
  timeout 300 "$scratch/build/native/unit_tests" >"$logs/$1.native" 2>&1
  local rc=$?
  [ $rc = 0 ] || echo "native: $(first_failure "$logs/$1.native" $rc)"
}
windows() {
  (cd "$scratch" && { [ -d build/mingw ] || cmake --preset mingw >/dev/null; } &&
    cmake --build build/mingw -j2 --target unit_tests windows_tests) >"$logs/$1.build" 2>&1 || { echo "build failed"; return; }
  start_wine
  local exe rc
  for exe in unit_tests windows_tests; do
    (cd "$scratch/build/mingw" && timeout 600 wine "./$exe.exe") >"$logs/$1.$exe" 2>&1
    rc=$?
    [ $rc = 0 ] || { echo "wine $exe: $(first_failure "$logs/$1.$exe" $rc)"; return; }
  done
}

# Tabs become a separator that read does not merge, so empty fields stay.
grep -v '^#' tools/mutants/mutants.tsv | tr '\t' '\037' | while IFS=$'\037' read -r id file from to what journey; do
  [ -n "$id" ] || continue
  [ $# -eq 0 ] || [[ " $* " == *" $id "* ]] || continue
  # Exactly one occurrence, else the list is out of date with the code.
  if ! FROM=$from TO=$to python3 -c '
import os, sys
p = sys.argv[1]; s = open(p, encoding="utf-8").read()
a, b = (os.environ[v].replace("\u23ce", "\n") for v in ("FROM", "TO"))
if s.count(a) != 1: sys.exit(1)
open(p, "w", encoding="utf-8").write(s.replace(a, b))' "$scratch/$file"; then
    result="stale: the text is not in $file exactly once"
  else
    result=
    # src/app is built into the program only: the journeys alone can catch it.
    [[ $file == src/platform/win32/* || $file == src/app/* ]] || result=$(native "$id")
    if [ -z "$result" ] && [ -n "${MUTANTS_QUICK:-}" ] && [[ $file != src/platform/win32/* && $file != src/app/* ]]; then
      result="survived the native tests"
    fi
    [ -n "$result" ] || [[ $file == src/app/* ]] || result=$(windows "$id")
    if [ -z "$result" ] && [ -n "${journey:-}" ]; then
      (cd "$scratch" && { [ -d build/mingw ] || cmake --preset mingw >/dev/null; } &&
        cmake --build build/mingw -j2 --target Quillet helper && tests/e2e/run.sh "$journey") >"$logs/$id.e2e" 2>&1 ||
        result="journey $journey"
    fi
    : "${result:=survived}"
  fi
  cp "$file" "$scratch/$file"
  printf '%s\t%s\t%s\n' "$id" "$what" "$result" | tee -a "$results"
done
exit
}
