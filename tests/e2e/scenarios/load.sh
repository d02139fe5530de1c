# Many lookups in a row against a full list (32,767 entries): a keyword on
# the first line, one on the last line and one that matches nothing, typed
# with Enter E2E_LOAD_COUNT times (200; 1,000 with QUILLET_LONG). Every target
# runs exactly as often as its keyword was entered, the lines that only look
# alike never run, the program's private memory does not grow (2 MB slack,
# after a warm-up), and data.txt is neither written nor touched.
. "$(dirname "$0")/../lib.sh"
begin
count=${E2E_LOAD_COUNT:-200}
[ -n "${QUILLET_LONG:-}" ] && count=1000
witness X.exe Y.exe Z.exe M.exe
X=x:$(wpath X.exe) Y=y:$(wpath Y.exe) Z1=xx:$(wpath Z.exe) Z2=X:$(wpath Z.exe) M=m:$(wpath M.exe) awk 'BEGIN {
  for (i = 1; i <= 32767; i++) {
    if (i == 1) line = ENVIRON["X"]; else if (i == 32767) line = ENVIRON["Y"]; else if (i == 2) line = ENVIRON["M"]
    else if (i == 1000) line = ENVIRON["Z1"]; else if (i == 20000) line = ENVIRON["Z2"]
    else line = sprintf("k%d:C:\\targets\\entry%05d.exe", i, i)
    printf "%s\r\n", line
  }
}' >data.txt
stamp=$(stat -c '%i %s %y' data.txt)
start "$E2E_DIR" 60
within 20 "the entries are listed" listed 'h > 0'
kb() { awk '/^Private_(Clean|Dirty):/ {kb += $2} END {print kb}' "/proc/$PID/smaps_rollup"; }
keyword=(x y q)
# lookups FROM TO: lookups FROM..TO-1 (x, y, q in turn), then waits until
# every launch they cause has been logged: X and Y once each per keyword.
lookups() {
  local keys=() i
  for ((i = $1; i < $2; i++)); do keys+=(End BackSpace BackSpace BackSpace "${keyword[i % 3]}" Return); done
  xdotool key --delay 15 "${keys[@]}"
  within 60 "after $2 lookups" lines witness.log $((($2 + 2) / 3 + ($2 + 1) / 3))
}
box
lookups 0 9
warm=$(kb)
for ((i = 9; i < count; i += 20)); do lookups $i $((i + 20 < count ? i + 20 : count)); done
LAUNCHED=$((($count + 2) / 3 + ($count + 1) / 3))
lookup m  # its launch comes after every other
launches M.exe
check "X ran $(((count + 2) / 3)) times, Y $(((count + 1) / 3)), Z never" test \
  "$(grep -c ' X.exe$' witness.log) $(grep -c ' Y.exe$' witness.log) $(grep -c ' Z.exe$' witness.log)" = \
  "$(((count + 2) / 3)) $(((count + 1) / 3)) 0"
check "private memory grew by $(($(kb) - warm)) kB" test $(($(kb) - warm)) -le 2048
check "data.txt untouched" test "$(stat -c '%i %s %y' data.txt)" = "$stamp"
