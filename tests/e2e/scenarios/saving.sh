# Saving never loses what another program wrote or what the user keeps.
# - data.txt edited by another program after a deletion: the close asks
#   是/否/取消, and 否 ends without saving, leaving the other program's change.
# - read-only in a folder that refuses new files (so no rewrite in place
#   either): start-up names the folder in a box with the system's reason;
#   after 删除它 the close's failed save asks whether to end anyway: Return
#   (Cancel) keeps the program, OK ends it, and the file keeps its bytes.
# - killed at random moments around a save (twice; 200 times with
#   QUILLET_LONG): data.txt then holds the old bytes or the new ones, never a
#   mix, and a temporary file left by a kill disturbs neither the next start
#   nor the next save.
. "$(dirname "$0")/../lib.sh"
begin
entries
start
menu $((WY + 29)) 2  # 删除它 on the first row
printf 'hand:edited\r\n' >>data.txt && cp data.txt data.hand
close_icon
answer "$APP" $'data.txt 在读入后已被其他程序修改。\n\n要用列表覆盖它吗？' shift+Tab Return  # 否
within 10 "否 ends the program" gone "$PID"
holds data.hand

dir=$E2E_DIR/locked
mkdir "$dir" && cp data.orig "$dir/data.txt" && chmod a-w "$dir/data.txt" && cp "$EXE" "$dir/Quillet.exe"
at_exit "chattr -i '$dir'"
chattr +i "$dir" || fail "this file system has no immutable flag"
launch "$dir"
answer "$APP" '无法在文件夹“*locked”中保存 data.txt：* (5)*修改将无法保存*' Return
main_window
cd "$dir" || exit 1
menu $((WY + 29)) 2
quit=$'无法写入 data.txt：* (5)\n\n仍要退出吗？未保存的修改将丢失。'
close_icon
answer "$APP" "$quit" Return
check "Return, on Cancel, keeps the program" kill -0 "$PID"
close_icon
answer "$APP" "$quit" shift+Tab Return  # OK
within 10 "OK ends the program" gone "$PID"
holds ../data.orig
check "data.txt stays read-only" test "$(stat -c %a data.txt)" = 444
cd "$E2E_DIR" || exit 1

awk 'BEGIN { for (i = 0; i < 100000; i++) printf "k%d:C:\\targets\\entry%06d.exe\r\n", i, i }' >big.old
sed 1d big.old >big.new
rounds=2
[ -n "${QUILLET_LONG:-}" ] && rounds=200
for round in $(seq $rounds) last; do
  cp big.old data.txt
  # The last round starts beside a leftover, ours or a planted one full of junk.
  [ $round != last ] || [ -e data.txt.saving ] || head -c 100000 /dev/urandom >data.txt.saving
  start "$E2E_DIR" 60
  within 30 "the entries are listed" listed
  menu $((WY + 29)) 2
  [ $round = last ] && break
  # The kill falls before, during or after the save.
  (sleep $((RANDOM % 1500))e-3 && kill -KILL "$PID") &
  killer=$!
  button 4  # 保存
  wait $killer
  within 20 "the killed program ends" gone "$PID"
  within 20 "its window goes" hidden "$WIN"
  check "data.txt is whole after a kill" eval 'cmp -s data.txt big.old || cmp -s data.txt big.new'
  echo "round $round: $(cmp -s data.txt big.old && echo old || echo new) bytes, $(ls data.txt.saving 2>/dev/null || echo no leftover)" >&2
done
button 4
within 30 "a save beside a leftover" same data.txt big.new
closes_to big.new
