# Faults on data.txt, each named in a box with the system's own reason (its
# code in the message), the file keeping its bytes:
# - held open without sharing by another process at start: "cannot read", an
#   empty list, and saving refused until a load succeeds; once it is free,
#   载入 and 保存 work;
# - read-only in a folder that refuses new files (so no rewrite in place
#   either): start-up names the folder once; after 删除它 the close asks,
#   Return (Cancel) stays, OK ends.
. "$(dirname "$0")/../lib.sh"
begin
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
answer "$APP" "$quit" Return
check "Return, on Cancel, keeps the program" kill -0 "$PID"
close_icon
answer "$APP" "$quit" shift+Tab Return  # OK
within 10 "OK ends the program" gone "$PID"
holds ../data.orig
check "data.txt stays read-only" test "$(stat -c %a data.txt)" = 444

