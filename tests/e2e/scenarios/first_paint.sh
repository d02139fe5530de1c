# Start and look up: the main window is a borderless 513 x 384 window of the
# started process, centred, topmost, without a task-bar button, in its
# colours, listing data.txt ("a:X", "b:Y", ":Z", "a:W"). Every matching line
# opens in file order, case counts, the empty box matches the empty keyword,
# and Enter works with any modifier, the box keeping its text.
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

# look TYPED KEY NAME...: types into the emptied box, presses KEY, expects those launches.
look() { clear_box; typ "$1"; key "$2"; launches "${@:3}"; }
look a Return X.exe W.exe
look A Return  # nothing: the next lookup shows it
look '' Return Z.exe
look b shift+Return Y.exe
for k in ctrl+Return alt+Return; do key $k; launches Y.exe; done
