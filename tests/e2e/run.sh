#!/usr/bin/env bash
# Runs the end-to-end journeys under Wine on a private X display.
#   tests/e2e/run.sh [journey...]     every one in scenarios/ by default
# Prints "PASS|FAIL name seconds" for each (a failure with its whole log),
# the harness's own second tries, and "N passed, N failed"; exits non-zero
# on a failure. Logs and screenshots: build/e2e/artifacts/<journey>/.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
# The longest a journey may take (the long runs of QUILLET_LONG take more).
limit=${E2E_SCENARIO_LIMIT:-90}
[ -n "${QUILLET_LONG:-}" ] && limit=1800

names=("$@")
[ $# -gt 0 ] || names=($(cd "$here/scenarios" && ls -- *.sh))
for n in "${names[@]}"; do [ -f "$here/scenarios/${n%.sh}.sh" ] || { echo "no such journey: $n" >&2; exit 2; }; done
passed=0 failed=0 current= n=setup
trap '[ -n "$current" ] && kill -TERM $current 2>/dev/null && wait $current; suite_down 2>>"$ROOT/suite.log"' EXIT
trap 'echo "FAIL ${n%.sh} (interrupted)"; echo "$passed passed, $((failed + 1)) failed"; exit 130' INT TERM
mkdir -p "$ROOT" && : >"$ROOT/retries.log"
suite_up 2>"$ROOT/suite.log" \
  || { echo "suite setup failed:"; sed 's/^/    /' "$ROOT/suite.log"; echo "0 passed, ${#names[@]} failed"; exit 1; }

for n in "${names[@]}"; do
  n=${n%.sh} start=$(date +%s.%N)
  export E2E_DIR=$ROOT/run/$n ART=$ROOT/artifacts/$n
  rm -rf "$E2E_DIR" "$ART" && mkdir -p "$E2E_DIR" "$ART"
  # In the background, so that an interrupt reaches this script at once.
  timeout -k 5 "$limit" bash "$here/scenarios/$n.sh" >"$ART/log" 2>&1 </dev/null & current=$!
  wait $current; rc=$? current=
  [ $rc = 124 ] && echo "timed out after ${limit}s" >>"$ART/log" && import -window root "$ART/timeout.png"
  for pid in $(cat "$E2E_DIR/.pids" 2>/dev/null); do kill -KILL "$pid" 2>/dev/null; done
  cp "$E2E_DIR"/{witness.log,xdg-open.log,data.txt} "$ART/" 2>/dev/null
  secs=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
  if [ $rc = 0 ]; then
    passed=$((passed + 1)) && echo "PASS $n ${secs}s"
  else
    failed=$((failed + 1)) && echo "FAIL $n ${secs}s"
    sed 's/^/    /' "$ART/log"
    echo "    (log and screenshots: ${ART#"$REPO"/}/)"
  fi
done
sed 's/^/retried: /' "$ROOT/retries.log"
echo "$passed passed, $failed failed"
[ $failed = 0 ]
