# Lone CRs and LFs mixed with CR LF: a lone CR ends a line, a lone LF does
# not; lookups find the lines that exist by those rules and only those; a
# close with nothing changed leaves the mixed bytes as they were (nothing
# is normalised without a save).
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
x=$(e2e_witness_entry X.exe a)
y=$(e2e_witness_entry Y.exe b)
w=$(e2e_witness_entry W.exe w)
# Lines: "a:X" (lone CR), "lf\nb:Y" (the LF keeps it one line: keyword
# "lf\nb"), "" (CR LF), "" (lone CR), "w:W" (CR CR LF: lone CR, then an empty
# line), "\n" (lone LF at the end, no terminator).
printf '%s\rlf\n%s\r\n\r\r%s\r\r\n\n' "$x" "$y" "$w" >data.txt
cp data.txt data.orig
e2e_start_main
e2e_wait_list_height 'H > 0' listed

e2e_log "'b' is inside the line after a lone LF: nothing; 'w a' opens X then W"
e2e_lookup b
e2e_lookup 'w a'
e2e_expect_launches 0 X.exe W.exe
e2e_log "载入 only reads"
e2e_press_list_button 2
e2e_wait_list_height 'H > 0' reloaded
cmp -s data.txt data.orig || e2e_fail "载入 changed data.txt"
e2e_hostile_check a X.exe
grep -q Y.exe witness.log && e2e_fail "Y ran: the lone LF ended a line"
true
