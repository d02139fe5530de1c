# The first paint and the boxes of the real program. The main window is a
# borderless 513 x 384 window of the started process, centred, topmost,
# without a task-bar button, in its colours, listing data.txt ("a:X", "b:Y",
# ":Z", "a:W"), and a lookup opens every matching line in file order.
# 新增一个 opens the editor (434 x 160, its colours); OK with an empty keyword
# is refused in a box over the editor, which stays; told it moved to a monitor
# at 144 DPI it takes 651 x 240, and back at 96 DPI 434 x 160 again. 删除所有 asks in a box
# whose default is OK, then writes a lone line break at once.
. "$(dirname "$0")/../lib.sh"
begin
entries
start
check "the main window belongs to the started process" test "$(xprop -id "$WIN" _NET_WM_PID | sed 's/.*= //')" = "$PID"
top=$WIN  # the window, or the frame the window manager put round it
until xwininfo -tree -id "$top" | grep -q 'Parent window id: .*(the root window)'; do
  top=$(xwininfo -tree -id "$top" | awk '/Parent window id/ {print $4}')
done
check "a borderless 513x384 window, centred" at "$top" '(x == 703 || x == 704) && y == 348 && w == 513 && h == 384'
within 3 "topmost without a task-bar button" eval 'xprop -id $WIN _NET_WM_STATE | grep ABOVE | grep -q SKIP_TASKBAR'
within 5 "the title strip's colour" pixel $((WX + 230)) $((WY + 8)) 'srgb(14,151,231)'
within 5 "the list's colour" pixel $((WX + 500)) $((WY + 370)) 'srgb(255,255,0)'
within 5 "the entries are listed" listed 'h > 20'
lookup a
launches X.exe W.exe

menu 0 0  # 新增一个
editor
within 5 "the main window hides" hidden "$WIN"
check "the editor is 434x160" at "$ED" 'w == 434 && h == 160'
within 5 "the editor is blue" pixel $((EX + 200)) $((EY + 10)) 'srgb(14,151,231)'
within 5 "its panel is light yellow" pixel $((EX + 10)) $((EY + 140)) 'srgb(255,255,128)'
click $(part ok)
answer "$APP" '触发关键字不能为空' Return
check "the editor stays after a refusal" shown "$ED"
wine "$HELPER" dpi Form2 144 >/dev/null 2>&1
within 5 "moved to a 144 DPI monitor the editor is 651x240" at "$ED" 'w == 651 && h == 240'
wine "$HELPER" dpi Form2 96 >/dev/null 2>&1
within 5 "and back at 96 DPI 434x160" at "$ED" 'w == 434 && h == 160'
editor  # where it is now: Wine passes the suggested place to another process's window as zeros
editor_closes close
check "data.txt is untouched" same data.txt data.orig

menu 0 3  # 删除所有
answer Tips 'Do you want to delete all ?' Return
printf '\r\n' >cleared.txt
within 5 "删除所有 writes a lone line break" same data.txt cleared.txt
box  # the keyword box takes the focus: no focus frame in the list
within 5 "删除所有 empties the list" listed 'h == 0'
