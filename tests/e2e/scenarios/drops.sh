# Drops: a file list dropped on the list hides the main window and opens the
# editor with the first path as target; a text does the same with the text;
# a file list dropped on the editor's target box replaces what was typed
# there; entries made this way are saved on top. The list and the target box
# are drag sources: a row dragged onto the target box replaces its text, and
# part of the box's text dragged onto the list is a drop there, which
# switches the editor to adding.
. "$(dirname "$0")/../lib.sh"
begin
entries
witness N.exe
start
n=$(wpath N.exe)
# add_dropped KEYWORD TARGET KIND VALUE...: a drop on the list opens the
# editor with TARGET; KEYWORD and OK add the entry.
add_dropped() {
  drop $((WX + 250)) $((WY + 200)) "${@:3}"
  editor
  within 5 "the main window hides" hidden "$WIN"
  box_is text2 "$2"
  click $(part text1) && typ "$1" && editor_closes ok
}
add_dropped dn "$n" files "$n" 'C:\second.exe'
add_dropped dt 'D:\tools\t.exe' text 'D:\tools\t.exe'
menu 0 0
editor
click $(part text2) && typ 'typed before'
drop $(part text2) files 'C:\第一 个.exe' 'C:\second.exe'
box_is text2 'C:\第一 个.exe'
editor_closes close  # discards
{ printf 'dt:D:\\tools\\t.exe\r\ndn:%s\r\n' "$n"; cat data.orig; } >expected.txt
closes_to expected.txt

cp data.orig data.txt
start
line=$(head -n 1 data.txt | tr -d '\r')
menu 1 1  # 编辑它
editor
# The editor opens over the main window: moved below it, out of the way.
drag $((EX + 200)) $((EY + 10)) $((EX + 200)) $((EY + 310))
within 5 "the editor moves below the main window" at "$ED" "y >= $WY + 384"
read -r EX EY _ <<<"$(geom "$ED")"
click $((EX + 200)) $((EY + 10))  # the press fluxbox takes after a move
read -r tx ty <<<"$(part text2)"
drag $((WX + 120)) "$(row 0)" "$tx" "$ty"
check "the program runs" kill -0 "$PID"
box_is text2 "$line"
click "$tx" "$ty" && key Home shift+Right shift+Right shift+Right
drag $((tx - 140)) "$ty" $((WX + 120)) "$(row 2)"
within 5 "a drop on the list hides the main window" hidden "$WIN"
box_is text2 "${line:0:3}"
