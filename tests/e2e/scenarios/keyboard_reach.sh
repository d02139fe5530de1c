# Reaching the program by the keyboard: Shift+F10 on the list opens the
# entry menu below the selected row; in the editor Tab reaches OK, Enter and
# Escape do nothing there and Space presses it. Ctrl+Alt+F3 from another
# program brings the docked window out, active, with the keyword box's text
# selected; it stays out while active and docks again once the other
# program is active. A Quillet.ini beside the program sets another chord.
. "$(dirname "$0")/../lib.sh"
begin
entries
start
box && key Tab Home Down shift+F10
MENU=$(within 5 "Shift+F10 opens the entry menu below the second row" menu_near $((WX + 5)) $(($(row 1) + 8))) || exit 1
key Down Return  # 新增一个
editor
click $(part text1) && typ k && key Tab && typ 'C:\k.exe'
key Tab Return Escape
check "Enter and Escape on OK do nothing" shown "$ED"
key space
within 5 "Space on OK presses it" hidden "$ED"
within 5 "the main window comes back" shown "$WIN"

log "text in the keyword box, the focus on the list, docked at the top"
xdotool mousemove $((WX + 250)) $((WY + 200))
box && clear_box && typ zzz && key Tab
xdotool windowmove "$WIN" "$WX" 0 mousemove 960 900
within 5 "docked at the top" at "$WIN" 'y == -381'
spawn wine notepad.exe
other=$(within 15 "notepad opens" window '记事本|Notepad') || exit 1
focus "$other"
key ctrl+alt+F3
within 5 "Ctrl+Alt+F3 brings the docked window out" at "$WIN" 'y == -1'
# Wine 8 activates the window inside Windows but never asks the window
# manager to move the X focus; it is handed over here without leaving the
# launcher first, so Wine sees no new activation.
within 5 "X hands the focus to the launcher" eval 'xdotool windowactivate $WIN; [ "$(xdotool getactivewindow)" = $WIN ]'
typ a && key Return  # "a" replaces the selected "zzz"
launches X.exe W.exe
check "it stays out while active" at "$WIN" 'y == -1'
focus "$other"
within 5 "the other program active again, it docks" at "$WIN" 'y == -381'

log "Quillet.ini beside the program sets another chord"
stop
printf '[Quillet]\r\nSummonKey=Ctrl+Alt+F8\r\n' >Quillet.ini
start
xdotool windowmove "$WIN" "$WX" 0 mousemove 960 900
focus "$other"
within 5 "docked at the top again" at "$WIN" 'y == -381'
key ctrl+alt+F3 && sleep 1
check "the default chord is not registered" at "$WIN" 'y == -381'
key ctrl+alt+F8
within 5 "Ctrl+Alt+F8 from Quillet.ini brings it out" at "$WIN" 'y == -1'
