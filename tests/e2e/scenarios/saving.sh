# Saving keeps what others wrote. data.txt is edited by another program after
# a deletion: the close icon asks 是/否/取消, its default button (Return) is
# 取消, which keeps the program and the other program's change; 保存 asks the
# same and OK overwrites; after a second outside change the close's 否 ends
# without saving and leaves that change.
# Last, the program is killed at random moments around a save (twice; 200
# times with QUILLET_LONG): data.txt then holds the old bytes or the new ones,
# never a mix, and a temporary file left by a kill disturbs neither the next
# start nor the next save.
. "$(dirname "$0")/../lib.sh"
begin
entries
start
menu 0 2  # 删除它
sed 1d data.orig >rest.txt
printf 'hand:edited\r\n' >>data.txt && cp data.txt data.hand
question=$'data.txt 在读入后已被其他程序修改。\n\n要用列表覆盖它吗？'
close_icon
answer "$APP" "$question" Return
check "Cancel keeps the program" kill -0 "$PID"
check "and the other program's change" same data.txt data.hand
button 4
answer "$APP" "$question" shift+Tab Return  # OK
within 10 "OK overwrites" same data.txt rest.txt
printf 'hand:again\r\n' >>data.txt && cp data.txt data.hand
close_icon
answer "$APP" "$question" shift+Tab Return  # 否
within 10 "否 ends the program" gone "$PID"
check "and leaves the other program's change" same data.txt data.hand

log "killed while saving"
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "k%d:C:\\targets\\entry%06d.exe\r\n", i, i }' >big.old
sed 1d big.old >big.new
rounds=2
[ -n "${QUILLET_LONG:-}" ] && rounds=200
for round in $(seq $rounds) last; do
  cp big.old data.txt
  # The last round starts beside a leftover, ours or a planted one full of junk.
  [ $round != last ] || [ -e data.txt.saving ] || head -c 100000 /dev/urandom >data.txt.saving
  start "$E2E_DIR" 60
  within 30 "the entries are listed" listed 'h > 0'
  menu 0 2  # 删除它
  [ $round = last ] && break
  # The kill falls before, during or after the save.
  (sleep $((RANDOM % 1500))e-3 && kill -KILL "$PID") &
  killer=$!
  button 4
  wait $killer
  within 20 "the killed program ends" gone "$PID"
  within 20 "its window goes" hidden "$WIN"
  check "data.txt is whole after a kill" eval 'cmp -s data.txt big.old || cmp -s data.txt big.new'
  log "round $round: $(cmp -s data.txt big.old && echo old || echo new) bytes, $(ls data.txt.saving 2>/dev/null || echo no leftover)"
done
button 4
within 30 "a save beside a leftover" same data.txt big.new
within 10 "takes the leftover away" test ! -e data.txt.saving
closes_to big.new
