#!/usr/bin/env bash
# Runs the end-to-end scenarios under Wine on a private X display.
#   tests/e2e/run.sh                 every scenario in tests/e2e/scenarios
#   tests/e2e/run.sh lookup close    only those (with or without .sh)
# Artifacts (screenshots, logs) go to build/e2e/artifacts/<scenario>/.
set -u

here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

# Longest time one scenario may take before it counts as failed.
E2E_SCENARIO_LIMIT=${E2E_SCENARIO_LIMIT:-90}

scenarios=()
if [ $# -eq 0 ]; then
  for f in "$here"/scenarios/*.sh; do scenarios+=("$f"); done
else
  for name in "$@"; do
    f=$here/scenarios/${name%.sh}.sh
    [ -f "$f" ] || { echo "no such scenario: $name" >&2; exit 2; }
    scenarios+=("$f")
  done
fi

scenario_pid=
finish() {
  trap - EXIT INT TERM
  # timeout passes the signal on to the scenario it runs.
  [ -n "$scenario_pid" ] && kill -TERM "$scenario_pid" 2>/dev/null && wait "$scenario_pid" 2>/dev/null
  e2e_suite_teardown 2>>"$E2E_ROOT/suite.log"
}
trap finish EXIT
trap 'echo "FAIL ${name:-setup} (interrupted)"; echo "${passed:-0} passed, $((${failed:-0} + 1)) failed"; exit 130' INT TERM

suite_start=$SECONDS
mkdir -p "$E2E_ROOT"
if ! e2e_suite_setup 2>"$E2E_ROOT/suite.log"; then
  echo "suite setup failed:"
  sed 's/^/    /' "$E2E_ROOT/suite.log"
  echo "0 passed, ${#scenarios[@]} failed"
  exit 1
fi

passed=0 failed=0
# Checks that had to look twice (a clipboard copy lost under load) say so here.
export E2E_RETRIES=$E2E_ROOT/retries.log
: >"$E2E_RETRIES"
for f in "${scenarios[@]}"; do
  name=$(basename "$f" .sh)
  export E2E_SCENARIO_DIR=$E2E_ROOT/run/$name
  export E2E_ARTIFACTS=$E2E_ROOT/artifacts/$name
  rm -rf "$E2E_SCENARIO_DIR" "$E2E_ARTIFACTS"
  mkdir -p "$E2E_SCENARIO_DIR" "$E2E_ARTIFACTS"
  start=$(date +%s.%N)
  # The load journey may run a thousand lookups: it gets ten minutes.
  limit=$E2E_SCENARIO_LIMIT
  [ "$name" = load ] && [ "$limit" -lt 600 ] && limit=600
  # In the background, so that an interrupt reaches this script at once.
  timeout --kill-after=5 "$limit" bash "$f" >"$E2E_ARTIFACTS/scenario.log" 2>&1 </dev/null &
  scenario_pid=$!
  wait "$scenario_pid"
  rc=$?
  scenario_pid=
  # Whatever the scenario left running (it was killed, say) ends here, by PID.
  if [ -f "$E2E_SCENARIO_DIR/.pids" ]; then
    while read -r pid; do
      [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    done <"$E2E_SCENARIO_DIR/.pids"
  fi
  # Keep what the targets recorded beside the scenario's own output.
  for log in witness.log witness.order xdg-open.log data.txt; do
    [ -f "$E2E_SCENARIO_DIR/$log" ] && cp "$E2E_SCENARIO_DIR/$log" "$E2E_ARTIFACTS/"
  done
  secs=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
  if [ $rc -eq 0 ]; then
    passed=$((passed + 1))
    echo "PASS $name ${secs}s"
  else
    failed=$((failed + 1))
    [ $rc -eq 124 ] && echo "  (timed out after ${limit}s)" >>"$E2E_ARTIFACTS/scenario.log"
    echo "FAIL $name ${secs}s"
    sed 's/^/    /' "$E2E_ARTIFACTS/scenario.log"
    echo "    (log and screenshots: ${E2E_ARTIFACTS#"$E2E_REPO"/}/)"
  fi
done

echo "suite time $((SECONDS - suite_start))s"
[ -s "$E2E_RETRIES" ] && sed 's/^/retried: /' "$E2E_RETRIES"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
