#!/usr/bin/env bash
# Kills the program at random moments around a save and checks that data.txt
# is never torn: after every kill it holds exactly the old bytes or exactly
# the new ones, and a data.txt.saving left by a kill does not disturb the
# next start or the next save.
#   tests/e2e/crash_during_save.sh [N]       N rounds (200)
# Each round starts the program on 100,000 entries, changes the list (清空 or
# 删除它 on the first row, taking turns), presses 保存 and sends SIGKILL
# 0..CRASH_MAX_MS (1500) ms after the keys of 保存 start to go out. Prints the tally; exits non-zero
# on any torn file or failed check. Runs its own display and Wine prefix
# under E2E_ROOT (build/e2e-crash), apart from run.sh's.
set -u

rounds=${1:-200}
here=$(cd "$(dirname "$0")" && pwd)
E2E_ROOT=${E2E_ROOT:-$(cd "$here/../.." && pwd)/build/e2e-crash}
. "$here/lib.sh"
CRASH_MAX_MS=${CRASH_MAX_MS:-1500}
CRASH_ENTRIES=${CRASH_ENTRIES:-100000}

mkdir -p "$E2E_ROOT"
e2e_suite_setup 2>"$E2E_ROOT/suite.log" || { cat "$E2E_ROOT/suite.log"; exit 1; }
export E2E_SCENARIO_DIR=$E2E_ROOT/run/crash_during_save
export E2E_ARTIFACTS=$E2E_ROOT/artifacts/crash_during_save
rm -rf "$E2E_SCENARIO_DIR" "$E2E_ARTIFACTS"
mkdir -p "$E2E_SCENARIO_DIR" "$E2E_ARTIFACTS"
e2e_scenario_begin
trap 'e2e_scenario_cleanup; e2e_suite_teardown 2>>"$E2E_ROOT/suite.log"' EXIT
exec 2> >(tee -a "$E2E_ARTIFACTS/crash.log" >&2)

d=$E2E_SCENARIO_DIR
# The old file, and the two possible new ones.
awk -v n="$CRASH_ENTRIES" 'BEGIN { for (i = 0; i < n; i++) printf "k%d:C:\\targets\\entry%06d.exe\r\n", i, i }' >"$d/data.old"
printf '\r\n' >"$d/new.cleared"
tail -n +2 "$d/data.old" >"$d/new.deleted"
e2e_log "data.txt: $CRASH_ENTRIES entries, $(stat -c %s "$d/data.old") bytes; $rounds rounds, kill 0..${CRASH_MAX_MS} ms after 保存"

# arm_kill: SIGKILL to the program $delay ms from now, in the background.
arm_kill() {
  ( sleep "$(awk -v ms="$delay" 'BEGIN { printf "%.3f", ms / 1000 }')"; kill -KILL "$E2E_PID" 2>/dev/null ) &
  killer=$!
}

old=0 new=0 torn=0 leftovers=0 bad_starts=0 started_with_leftover=0 saved_after_leftover=0
for round in $(seq "$rounds"); do
  cp "$d/data.old" "$d/data.txt"
  leftover_before=0
  [ -e "$d/data.txt.saving" ] && leftover_before=1 && started_with_leftover=$((started_with_leftover + 1))

  e2e_start_program
  if ! E2E_WIN=$(e2e_wait_window "^${E2E_MAIN_TITLE//./\\.}\$" 60 2>>"$E2E_ARTIFACTS/crash.log"); then
    # Counted and shown, and the rounds go on: how often this happens is the finding.
    e2e_wait_exit "$E2E_PID" 5; wait "$E2E_PID" 2>/dev/null; rc=$?
    bad_starts=$((bad_starts + 1))
    e2e_log "round $round: NO WINDOW; the program ended with status $rc (leftover before: $leftover_before)"
    e2e_kill_program
    continue
  fi
  e2e_wait_main 5
  # The start was not disturbed: the entries are listed.
  e2e_wait_list_height 'H > 0' list 30

  # The kill is armed as the keys that end in 保存 start to go out: the
  # first few hundred milliseconds fall before the save, the rest during it
  # or after.
  delay=$((RANDOM % (CRASH_MAX_MS + 1)))
  if [ $((round % 2)) = 1 ]; then
    mode=cleared
    arm_kill
    e2e_press_list_button 3   # 清空
    e2e_key Tab space         # 保存
  else
    mode=deleted
    e2e_open_row_menu 0
    e2e_menu_key 2            # 删除它
    arm_kill
    e2e_press_list_button 4   # 保存
  fi
  e2e_wait_exit "$E2E_PID" 20 || e2e_fail "round $round: the killed program did not end"
  wait "$killer" 2>/dev/null
  wait "$E2E_PID" 2>/dev/null
  e2e_wait_window_gone "$E2E_WIN" 20 || e2e_fail "round $round: the window stayed after the kill"

  if cmp -s "$d/data.txt" "$d/data.old"; then
    outcome=old; old=$((old + 1))
  elif cmp -s "$d/data.txt" "$d/new.$mode"; then
    outcome=new; new=$((new + 1))
    [ "$leftover_before" = 1 ] && [ ! -e "$d/data.txt.saving" ] && saved_after_leftover=$((saved_after_leftover + 1))
  else
    outcome=TORN; torn=$((torn + 1))
    cp "$d/data.txt" "$E2E_ARTIFACTS/torn.$round.txt" 2>/dev/null
  fi
  left=no
  [ -e "$d/data.txt.saving" ] && left=yes && leftovers=$((leftovers + 1))
  e2e_log "round $round: $mode, kill after ${delay} ms: $outcome, leftover $left"
done

# A leftover (ours, or a planted one full of junk) neither disturbs the start
# nor survives the next save, and that save gives the new bytes.
cp "$d/data.old" "$d/data.txt"
[ -e "$d/data.txt.saving" ] || head -c 100000 /dev/urandom >"$d/data.txt.saving"
e2e_start_program
e2e_wait_main 60
e2e_wait_list_height 'H > 0' list 30
e2e_press_list_button 3
e2e_key Tab space
e2e_wait_file_bytes "$d/data.txt" "$d/new.cleared" 30
end=$((SECONDS + 10))
while [ -e "$d/data.txt.saving" ]; do
  [ "$SECONDS" -ge "$end" ] && e2e_fail "the save did not take the leftover data.txt.saving away"
  sleep 0.1
done
e2e_close_icon
e2e_wait_exit "$E2E_PID" 20 || e2e_fail "the close icon did not end the program"
e2e_expect_bytes "$d/data.txt" "$d/new.cleared"
e2e_log "after the rounds: a start beside a leftover and a save were undisturbed"

echo "rounds $rounds: old $old, new $new, torn $torn, leftovers $leftovers, failed starts $bad_starts" \
  "(rounds started beside a leftover: $started_with_leftover; of these saved cleanly: $saved_after_leftover)"
[ "$torn" = 0 ] && [ "$bad_starts" = 0 ]
