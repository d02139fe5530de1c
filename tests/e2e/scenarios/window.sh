# The first paint, the house and drops from another process. The main window
# is a borderless 513 x 384 window of the started process, centred, topmost,
# without a task-bar button, in its colours, listing data.txt ("a:X", "b:Y",
# ":Z", "a:W"). A double-click on the house opens the product's home page
# once; a lookup opens every matching line in file order. A file list dropped
# on the list hides the main window and opens the editor (434 x 160, in its
# colours) with the first path as target; a text does the same with the
# text; a file list dropped on the editor's target box replaces what was
# there. Entries added this way are saved on top.
. "$(dirname "$0")/../lib.sh"
begin
entries
cp "$HELPER" N.exe
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
within 5 "the entries are listed" listed
echo 'https://quillet.vellmar.example/products/tolv/index.html?v=1.0' >visit.txt
xdotool mousemove $((WX + 471)) $((WY + 12)) click --repeat 2 --delay 80 1
within 5 "a double-click on the house opens the home page" same xdg-open.log visit.txt
click $((WX + 300)) $((WY + 12)) && typ a && key Return
launches X.exe W.exe
check "the double-click opened the home page once" same xdg-open.log visit.txt

# dropped KIND VALUE...: a drop on the list opens the editor and hides the main window.
dropped() { drop $((WX + 250)) $((WY + 200)) "$@"; editor; within 5 "the main window hides" hidden "$WIN"; }
# ok KEYWORD: KEYWORD and OK close the editor, and the main window comes back.
ok() {
  click $(part text1) && typ "$1" && click $(part ok)
  within 5 "OK closes the editor" hidden "$ED" && within 5 "the main window comes back" shown "$WIN"
  xdotool mousemove $((WX + 250)) $((WY + 200))
}
n=$(wpath N.exe)
dropped files "$n" 'C:\second.exe'
check "the editor is 434x160" at "$ED" 'w == 434 && h == 160'
within 5 "the editor is blue" pixel $((EX + 200)) $((EY + 10)) 'srgb(14,151,231)'
within 5 "its panel is light yellow" pixel $((EX + 10)) $((EY + 140)) 'srgb(255,255,128)'
ok dn
dropped text 'D:\tools\t.exe'
ok dt
dropped text 'D:\replaced.exe'
drop $(part text2) files 'C:\第一 个.exe' 'C:\second.exe'
ok df
{ printf 'df:C:\\第一 个.exe\r\ndt:D:\\tools\\t.exe\r\ndn:%s\r\n' "$n"; cat data.orig; } | iconv -t GBK >expected.txt
closes_to expected.txt
