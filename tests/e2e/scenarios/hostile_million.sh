# 1,000,000 lines (about 30 MB): the program starts and shows within a
# generous wait, a lookup opens the entries of the typed keyword found at
# the start, the middle and the very end, and a close with nothing changed
# leaves the file byte for byte as it was.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
a=$(e2e_witness_entry A.exe w)
b=$(e2e_witness_entry B.exe w)
c=$(e2e_witness_entry C.exe w)
# The witness paths go through the environment: awk -v would read their
# backslashes as escapes.
A=$a B=$b C=$c awk 'BEGIN {
  a = ENVIRON["A"]; b = ENVIRON["B"]; c = ENVIRON["C"]
  n = 1000000
  for (i = 1; i <= n; i++) {
    if (i == 1) line = a; else if (i == n / 2) line = b; else if (i == n) line = c
    else line = sprintf("k%d:C:\\targets\\entry%07d.exe", i, i)
    printf "%s\r\n", line
  }
}' >data.txt
cp data.txt data.orig
[ "$(grep -c . data.txt)" = 1000000 ] || e2e_fail "data.txt holds $(grep -c . data.txt) lines"
e2e_start_main_in "$E2E_SCENARIO_DIR" 75
e2e_wait_list_height 'H > 0' listed 30
e2e_expect_no_message
before=$(e2e_log_count witness.log)
e2e_lookup w
e2e_expect_launches "$before" A.exe B.exe C.exe
e2e_expect_running
e2e_close_unchanged data.orig
e2e_expect_no_leftover .
