# Hostile entry files. One data.txt holding NULs in keywords, targets and
# whole lines, bytes that are no GBK (lone lead bytes, lead bytes before a
# space, a colon or a line break, 0x80, 0xFF), a 10 MB line, lone CRs and
# LFs among CR LFs: the program starts, a lookup opens exactly the lines the
# line rule makes ("n" must not reach "n<NUL>cut", "b" sits inside a line
# after a lone LF, "w<lead byte>" is no "w"), and 保存 writes every byte back,
# with a CR LF where the line rule ended a line. Then: a file of only the UTF-8
# mark (empty list, saved back with the mark), a folder named data.txt (it
# can't be read, nothing is written over it) and 1,000,000 lines.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
x=$(e2e_witness_entry X.exe a)
y=$(e2e_witness_entry Y.exe b)
w=$(e2e_witness_entry W.exe w)
n=$(e2e_witness_entry N.exe)
{
  printf 'n\0cut:%s\r\n\0\0\0\r\nk:C:\\no\0where.exe\r\n' "${n#w:}"
  printf 'bad\x81\r\n\x81 \x81:\x80\xff\r\n\xff\xfe:C:\\x\x81\r\nw\x81:C:\\no.exe\r\n\xd6\xd0\xce\xc4:C:\\zh.exe\r\n\x81\x7f\x81\xff\xa1\r\n'
  head -c 8000000 /dev/urandom | base64 -w 0 | head -c 10485760
  printf '\r\n'
} >data.orig
# A lone CR ends a line (saved as CR LF), a lone LF stays inside one.
{ cat data.orig; printf '%s\rlf\n%s\r\n\r\r%s\r\r\n\n' "$x" "$y" "$w"; } >data.txt
{ cat data.orig; printf '%s\r\nlf\n%s\r\n\r\n\r\n%s\r\n\r\n\n\r\n' "$x" "$y" "$w"; } >saved.txt
e2e_start_main_in "$E2E_SCENARIO_DIR" 60
e2e_wait_list_height 'H > 0' listed 20
e2e_lookup 'n b w a'
e2e_expect_launches 0 X.exe W.exe
e2e_press_list_button 4
e2e_wait_file_bytes data.txt saved.txt 30
cp saved.txt data.orig
e2e_hostile_check a X.exe
grep -q 'Y.exe\|N.exe' witness.log && e2e_fail "a line the line rule does not make was opened: $(cat witness.log)"

e2e_log "only the UTF-8 byte-order mark"
printf '\xef\xbb\xbf' >data.txt
cp data.txt data.orig
e2e_start_main
e2e_wait_list_height 'H == 0' empty
e2e_expect_no_message
e2e_press_list_button 4
printf '\xef\xbb\xbf\r\n' >expected.txt
e2e_wait_file_bytes data.txt expected.txt 10
e2e_close_unchanged expected.txt

e2e_log "a folder named data.txt"
rm data.txt && mkdir data.txt && printf 'keep me\r\n' >data.txt/inside.txt
denied=$(e2e_system_message 5)
e2e_start_program
e2e_answer_message "无法读取 data.txt：$denied" Return 20
e2e_wait_main
e2e_press_list_button 4
e2e_answer_message "无法写入 data.txt：$E2E_UNREAD" Return
e2e_expect_no_leftover .
[ "$(ls -A data.txt)" = inside.txt ] && [ "$(cat data.txt/inside.txt)" = $'keep me\r' ] || e2e_fail "the folder data.txt changed"
e2e_close_icon
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
rm -r data.txt

e2e_log "1,000,000 lines"
a=$(e2e_witness_entry A.exe) b=$(e2e_witness_entry B.exe) c=$(e2e_witness_entry C.exe)
# The paths go through the environment: awk -v would read their backslashes as escapes.
A=$a B=$b C=$c awk 'BEGIN {
  n = 1000000
  for (i = 1; i <= n; i++) {
    if (i == 1) line = ENVIRON["A"]; else if (i == n / 2) line = ENVIRON["B"]; else if (i == n) line = ENVIRON["C"]
    else line = sprintf("k%d:C:\\targets\\entry%07d.exe", i, i)
    printf "%s\r\n", line
  }
}' >data.txt
cp data.txt data.orig
e2e_start_main_in "$E2E_SCENARIO_DIR" 75
e2e_wait_list_height 'H > 0' listed 30
before=$(e2e_log_count witness.log)
e2e_lookup w
e2e_expect_launches "$before" A.exe B.exe C.exe
e2e_close_unchanged data.orig
