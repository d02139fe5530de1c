# Hostile entry files. One data.txt holding NULs in keywords, targets and
# whole lines, bytes that are no GBK (lone lead bytes, lead bytes before a
# space, a colon or a line break, 0x80, 0xFF), a 10 MB line, lone CRs and
# LFs among CR LFs: the program starts, a lookup opens exactly the lines the
# line rule makes ("n" must not reach "n<NUL>cut", "b" sits inside a line
# after a lone LF, "w<lead byte>" is no "w"), and 保存 writes every byte back,
# with a CR LF where the line rule ended a line. Then 1,000,000 lines.
. "$(dirname "$0")/../lib.sh"
begin
witness X.exe Y.exe W.exe N.exe A.exe B.exe C.exe
{
  printf 'n\0cut:%s\r\n\0\0\0\r\nk:C:\\no\0where.exe\r\n' "$(wpath N.exe)"
  printf 'bad\x81\r\n\x81 \x81:\x80\xff\r\n\xff\xfe:C:\\x\x81\r\nw\x81:C:\\no.exe\r\n\xd6\xd0\xce\xc4:C:\\zh.exe\r\n\x81\x7f\x81\xff\xa1\r\n'
  head -c 8000000 /dev/urandom | base64 -w 0 | head -c 10485760
  printf '\r\n'
} >data.orig
x=a:$(wpath X.exe) y=b:$(wpath Y.exe) w=w:$(wpath W.exe)
# A lone CR ends a line (saved as CR LF), a lone LF stays inside one.
{ cat data.orig; printf '%s\rlf\n%s\r\n\r\r%s\r\r\n\n' "$x" "$y" "$w"; } >data.txt
{ cat data.orig; printf '%s\r\nlf\n%s\r\n\r\n\r\n%s\r\n\r\n\n\r\n' "$x" "$y" "$w"; } >saved.txt
start "$E2E_DIR" 60
within 20 "the entries are listed" listed 'h > 0'
no_box
lookup 'n b w a'
launches X.exe W.exe
button 4
within 30 "保存 writes every byte back" same data.txt saved.txt
lookup a
launches X.exe
closes_to saved.txt
check "no line the line rule does not make was opened" eval '! grep -q "Y.exe\|N.exe" witness.log'

log "1,000,000 lines"
# The paths go through the environment: awk -v would read their backslashes as escapes.
A=w:$(wpath A.exe) B=w:$(wpath B.exe) C=w:$(wpath C.exe) awk 'BEGIN {
  for (i = 1; i <= 1000000; i++) {
    if (i == 1) line = ENVIRON["A"]; else if (i == 500000) line = ENVIRON["B"]; else if (i == 1000000) line = ENVIRON["C"]
    else line = sprintf("k%d:C:\\targets\\entry%07d.exe", i, i)
    printf "%s\r\n", line
  }
}' >data.txt
cp data.txt data.orig
start "$E2E_DIR" 75
within 30 "the entries are listed" listed 'h > 0'
lookup w
launches A.exe B.exe C.exe
closes_to data.orig
