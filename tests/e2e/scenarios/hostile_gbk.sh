# Bytes that are no GBK: a lone lead byte before CR LF, lead bytes followed
# by a space or a colon, 0x80 and 0xFF, a lead byte at the very end of a
# line's keyword. The program starts, the line after the broken ones still
# opens by its keyword, and 保存 writes the same bytes back: the undecodable
# bytes come through load and save untouched.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
w=$(e2e_witness_entry W.exe)
{
  printf 'bad\x81\r\n'
  printf '\x81 \x81:\x80\xff\r\n'
  printf '\xff\xfe:C:\\x\x81\r\n'
  printf 'w\x81:C:\\no.exe\r\n'
  printf '\xd6\xd0\xce\xc4:C:\\zh.exe\r\n'
  printf '%s\r\n' "$w"
  printf '\x81\x7f\x81\xff\xa1\r\n'
} >data.txt
cp data.txt data.orig
e2e_start_main
e2e_wait_list_height 'H > 0' listed
e2e_hostile_check w W.exe
e2e_start_main
e2e_save_same_bytes
e2e_hostile_check w W.exe
