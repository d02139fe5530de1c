# Faults on data.txt, each with the system's own reason (its code in the
# message), the file keeping its bytes and no temporary file left:
# - missing: an empty list and no message; 载入 creates nothing, 保存 writes
#   a lone line break;
# - held open without sharing by another process at start: "cannot read", an
#   empty list, and saving refused until a load succeeds; held at 保存:
#   refused; working again once it is free;
# - read-only in a folder that refuses new files (so no rewrite in place
#   either): start-up names the folder once; after 删除它 the close asks,
#   Cancel stays, OK ends;
# - on a full disk: 保存 refused; with room again it writes.
. "$(dirname "$0")/../lib.sh"
begin
start
within 5 "a missing data.txt gives an empty list" listed 'h == 0'
button 2  # 载入
no_box
check "载入 creates no data.txt" test ! -e data.txt
key Tab Tab space  # 保存
printf '\r\n' >cleared.txt
within 10 "保存 writes a lone line break" same data.txt cleared.txt
no_box
closes_to cleared.txt

log "held at the start and at 保存"
entries
hold data.txt
launch
answer "$APP" '无法读取 data.txt：* (32)' Return
main_window
within 5 "an unreadable data.txt gives an empty list" listed 'h == 0'
release
button 4
answer "$APP" "无法写入 data.txt：$UNREAD" Return
button 2
within 5 "载入 lists the entries" listed 'h > 0'
hold data.txt
button 4
answer "$APP" '无法写入 data.txt：* (5)' Return
holds data.orig
release
menu 0 2  # 删除它
button 4
sed 1d data.orig >rest.txt
within 10 "保存 works again once data.txt is free" same data.txt rest.txt
closes_to rest.txt

log "read-only in a locked folder"
dir=$E2E_DIR/locked
mkdir "$dir" && cp data.orig "$dir/data.txt" && chmod a-w "$dir/data.txt" && cp "$EXE" "$dir/Quillet.exe"
at_exit "chattr -i '$dir'"
chattr +i "$dir" || fail "this file system has no immutable flag"
launch "$dir"
answer "$APP" '无法在文件夹“*locked”中保存 data.txt：* (5)*修改将无法保存*' Return
main_window
cd "$dir" || exit 1
menu 0 2  # 删除它
quit=$'无法写入 data.txt：* (5)\n\n仍要退出吗？未保存的修改将丢失。'
close_icon
answer "$APP" "$quit" Escape
check "Cancel keeps the program" kill -0 "$PID"
close_icon
answer "$APP" "$quit" Return
check "Return, on Cancel, keeps the program too" kill -0 "$PID"
close_icon
answer "$APP" "$quit" shift+Tab Return  # OK
within 10 "OK ends the program" gone "$PID"
holds ../data.orig
check "data.txt stays read-only" test "$(stat -c %a data.txt)" = 444

log "a full disk"
dir=$E2E_DIR/full
mkdir "$dir" && at_exit "umount -l '$dir'"
mount -t tmpfs -o size=1m tmpfs "$dir" || fail "cannot mount a small tmpfs here"
cp ../data.orig "$dir/data.txt" && cp "$EXE" "$dir/Quillet.exe" || fail "the tmpfs is too small"
dd if=/dev/zero of="$dir/filler" bs=4k 2>/dev/null
start "$dir"
cd "$dir" || exit 1
button 2  # 载入 doubles the list
button 4
answer "$APP" '无法写入 data.txt：* (112)' Return
holds ../data.orig
rm filler
button 4
cat ../data.orig ../data.orig >../doubled.txt
within 10 "with room again 保存 writes" same data.txt ../doubled.txt
closes_to ../doubled.txt
