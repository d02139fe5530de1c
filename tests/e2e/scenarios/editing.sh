# Editing: the entry menu closed by Escape does nothing. 新增一个 hides the
# main window and opens the editor (its size and colours); OK refuses an empty keyword over the editor, which stays; a
# Chinese keyword and a target are then added on top, written by 保存 in GBK
# and found by Enter. 编辑它 opens the editor over the visible main window
# with the entry's two parts and replaces it in place; 删除它 removes one;
# the close icon writes the list. 删除所有 asks, then empties the list and
# writes a lone line break at once.
. "$(dirname "$0")/../lib.sh"
begin
entries
witness N.exe
start
n=$(wpath N.exe)
menu 0 && key Escape && within 5 "Escape closes the menu" hidden "$MENU"
check "a dismissed menu opens nothing" eval '! window "^Form2$"'
menu 0 0  # 新增一个
editor
within 5 "the main window hides" hidden "$WIN"
check "the editor is 434x160" at "$ED" 'w == 434 && h == 160'
within 5 "the editor is blue" pixel $((EX + 200)) $((EY + 10)) 'srgb(14,151,231)'
within 5 "its panel is light yellow" pixel $((EX + 10)) $((EY + 140)) 'srgb(255,255,128)'
click $(part ok)
answer "$APP" '触发关键字不能为空' Return
check "the editor stays after a refusal" shown "$ED"
click $(part text1) && paste 新词
click $(part text2) && typ "$n"
editor_closes ok
focus "$WIN"
check "data.txt waits for 保存" same data.txt data.orig
button 4
{ printf '新词:%s\r\n' "$n" | iconv -t GBK; cat data.orig; } >saved.txt
within 5 "保存 writes the new entry on top, in GBK" same data.txt saved.txt
box && clear_box && paste 新词 && key Return
launches N.exe

menu 2 1  # 编辑它 on b:Y
editor
check "the main window stays while editing" shown "$WIN"
box_is text1 b
box_is text2 "$(wpath Y.exe)"
click $(part text2) && clear_box 120 && typ "$n"
editor_closes ok
menu 1 2  # 删除它 on a:X
{ sed -n 1p saved.txt; printf 'b:%s\r\n' "$n"; sed -n '4,$p' saved.txt; } >edited.txt
focus "$WIN"
closes_to edited.txt

start
menu 0 3  # 删除所有
answer Tips 'Do you want to delete all ?' Return
printf '\r\n' >cleared.txt
within 5 "删除所有 writes a lone line break" same data.txt cleared.txt
box  # the keyword box takes the focus: no focus frame in the list
within 5 "删除所有 empties the list" listed 'h == 0'
