# NUL bytes inside lines, in keywords and targets, and lines of NULs alone:
# the program starts, a lookup opens only the exact keyword's target (a
# keyword cut at its NUL matches nothing), 保存 writes the same bytes back
# and a close with nothing changed leaves them alone.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
w=$(e2e_witness_entry W.exe)
x=$(e2e_winepath "$E2E_SCENARIO_DIR/X.exe")
e2e_witness X.exe
printf 'n\0cut:%s\r\n\0\0\0\r\nk:C:\\no\0where.exe\r\n%s\r\n\0:%s\r\n' "$x" "$w" "$x" >data.txt
cp data.txt data.orig
[ "$(tr -cd '\0' <data.txt | wc -c)" = 6 ] || e2e_fail "the NUL bytes did not get into data.txt"
e2e_start_main
e2e_wait_list_height 'H > 0' listed

e2e_log "'n' must not reach the line whose keyword is n<NUL>cut; 'w' opens W"
e2e_lookup 'n w'
e2e_expect_launches 0 W.exe
e2e_save_same_bytes
e2e_hostile_check w W.exe
[ "$(grep -c . witness.log)" = 2 ] || e2e_fail "X ran: $(cat witness.log)"
