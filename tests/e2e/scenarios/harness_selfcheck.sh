# The harness itself, without the program: targets started through Wine are
# recorded by the witness, under plain and Chinese names, also when several
# run at once, and a web address reaches the stand-in xdg-open.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin

log=$E2E_SCENARIO_DIR/witness.log
e2e_witness T.exe 目标.exe

e2e_log "one witness under a plain name"
e2e_wine T.exe || e2e_fail "T.exe exited with status $?"
e2e_expect_new_lines "$log" 0 T.exe

e2e_log "one witness under a Chinese name"
e2e_wine 目标.exe || e2e_fail "目标.exe exited with status $?"
e2e_expect_new_lines "$log" 1 目标.exe

e2e_log "twelve witnesses at once lose no line"
pids=()
for i in $(seq 12); do
  e2e_wine T.exe &
  pids+=($!)
  e2e_track $!
done
for pid in "${pids[@]}"; do wait "$pid" || e2e_fail "a concurrent witness failed"; done
e2e_wait_lines "$log" 14 10 || e2e_fail "lines were lost by concurrent witnesses"
[ "$(e2e_log_count "$log")" -eq 14 ] || e2e_fail "expected 14 lines, got $(e2e_log_count "$log")"
[ "$(grep -cx 'T.exe' "$log")" -eq 13 ] || e2e_fail "log is garbled: $(cat -A "$log")"
# Every launch also left its process creation time, for ordering.
order=$E2E_SCENARIO_DIR/witness.order
[ "$(grep -cE '^[1-9][0-9]{16,} (T|目标)\.exe$' "$order")" -eq 14 ] || e2e_fail "witness.order is wrong: $(cat -A "$order")"
[ "$(sort -n "$order" | head -n 2 | cut -d' ' -f2 | tr '\n' ' ')" = "T.exe 目标.exe " ] \
  || e2e_fail "creation times do not give the launch order: $(sort -n "$order" | head -n 2)"

e2e_log "a web address goes to the stand-in browser only"
e2e_wine_bg winebrowser 'http://quillet.invalid/check?x=1'
e2e_wait_lines "$E2E_XDG_LOG" 1 10 || e2e_fail "xdg-open was not called"
grep -qx 'http://quillet.invalid/check?x=1' "$E2E_XDG_LOG" || e2e_fail "xdg-open got: $(cat "$E2E_XDG_LOG")"
