# Many lookups in a row against a full list (32,767 entries): keywords typed
# and Enter pressed E2E_LOAD_COUNT (200; 1,000 in the long run) times, cycling through a keyword
# on the first line, one on the last line and one that matches nothing.
# Every target runs exactly as often as its keyword was entered, the lines
# that only look alike never run, the program's private memory does not
# grow (2 MB slack, after a warm-up), and data.txt is neither written nor
# touched. Takes a few minutes: run it with E2E_SCENARIO_LIMIT=600.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
count=${E2E_LOAD_COUNT:-200}
batch=20
warmup=9
x=$(e2e_witness_entry X.exe x)
y=$(e2e_witness_entry Y.exe y)
z1=$(e2e_witness_entry Z.exe xx)
z2=$(e2e_witness_entry Z.exe X)
m=$(e2e_witness_entry M.exe m)
X=$x Y=$y Z1=$z1 Z2=$z2 M=$m awk 'BEGIN {
  n = 32767
  for (i = 1; i <= n; i++) {
    if (i == 1) line = ENVIRON["X"]; else if (i == n) line = ENVIRON["Y"]
    else if (i == 2) line = ENVIRON["M"]
    else if (i == 1000) line = ENVIRON["Z1"]; else if (i == 20000) line = ENVIRON["Z2"]
    else line = sprintf("k%d:C:\\targets\\entry%05d.exe", i, i)
    printf "%s\r\n", line
  }
}' >data.txt
cp data.txt data.orig
[ "$(grep -c . data.txt)" = 32767 ] || e2e_fail "data.txt holds $(grep -c . data.txt) lines"
stamp=$(stat -c '%i %s %y' data.txt)
e2e_start_main_in "$E2E_SCENARIO_DIR" 60
e2e_wait_list_height 'H > 0' listed 20
pid=$(e2e_window_pid "$E2E_WIN")
[ -r "/proc/$pid/smaps_rollup" ] || e2e_fail "no memory figures for the window's process $pid"
at_start=$(e2e_private_kb "$pid")
e2e_click $((WX + 330)) $((WY + 11))

# keyword_of I: the keyword of lookup number I (0-based).
keyword_of() { case $(($1 % 3)) in 0) echo x ;; 1) echo y ;; 2) echo q ;; esac; }
# expected_runs I KEYWORD: how often KEYWORD was entered in lookups 0..I-1.
expected_runs() {
  local n=$1 r=$2
  echo $(((n - r + 2) / 3))
}
# lookups FROM TO: enters the keywords of lookups FROM..TO-1, then waits
# until every launch they cause has been logged.
lookups() {
  local keys=() i
  for ((i = $1; i < $2; i++)); do keys+=(End BackSpace BackSpace BackSpace "$(keyword_of "$i")" Return); done
  xdotool key --delay 15 "${keys[@]}"
  e2e_wait_lines witness.log $(($(expected_runs "$2" 0) + $(expected_runs "$2" 1))) 60 \
    || e2e_fail "after $2 lookups the targets ran $(e2e_log_count witness.log) times"
}

lookups 0 "$warmup"
after_warmup=$(e2e_private_kb "$pid")
started=$SECONDS
for ((done_ = warmup; done_ < count; done_ += batch)); do
  to=$((done_ + batch)); [ "$to" -gt "$count" ] && to=$count
  lookups "$done_" "$to"
done
took=$((SECONDS - started))
want_x=$(expected_runs "$count" 0) want_y=$(expected_runs "$count" 1)
# A last lookup whose launch comes after every other: once it has run, the
# counts are final.
e2e_lookup m
e2e_wait_lines witness.log $((want_x + want_y + 1)) 30 || e2e_fail "the last lookup did not run its target"
grep -qx M.exe witness.log || e2e_fail "the last lookup opened something else: $(tail -n 1 witness.log)"
e2e_expect_running
at_end=$(e2e_private_kb "$pid")

got_x=$(grep -cx X.exe witness.log) got_y=$(grep -cx Y.exe witness.log) got_z=$(grep -c Z.exe witness.log)
e2e_log "$count lookups in about ${took}s after the warm-up; X ran $got_x times (want $want_x), Y $got_y (want $want_y), Z $got_z (want 0)"
e2e_log "private memory of pid $pid: ${at_start} kB at start, ${after_warmup} kB after $warmup lookups, ${at_end} kB at the end"
[ "$got_x" = "$want_x" ] && [ "$got_y" = "$want_y" ] && [ "$got_z" = 0 ] || e2e_fail "the targets ran the wrong number of times"
[ $((at_end - after_warmup)) -le 2048 ] || e2e_fail "private memory grew by $((at_end - after_warmup)) kB over $count lookups"
[ "$(stat -c '%i %s %y' data.txt)" = "$stamp" ] || e2e_fail "data.txt was touched: $stamp became $(stat -c '%i %s %y' data.txt)"
e2e_expect_bytes data.txt data.orig
e2e_expect_no_leftover .
