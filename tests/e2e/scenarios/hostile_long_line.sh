# A single 10 MB line among ordinary entries: the program starts and shows,
# a lookup still finds the entry after it, 保存 writes the same bytes back,
# and a close with nothing changed leaves them alone.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
w=$(e2e_witness_entry W.exe)
{
  printf 'first:C:\\nothing.exe\r\n'
  head -c 8000000 /dev/urandom | base64 -w 0 | head -c 10485760
  printf '\r\n%s\r\n' "$w"
} >data.txt
cp data.txt data.orig
[ "$(stat -c %s data.txt)" -gt 10485760 ] || e2e_fail "data.txt came out $(stat -c %s data.txt) bytes"
e2e_start_main_in "$E2E_SCENARIO_DIR" 60
e2e_wait_list_height 'H > 0' listed 20
e2e_save_same_bytes 30
e2e_hostile_check w W.exe
