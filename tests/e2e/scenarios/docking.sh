# The system move and docking. A press on the keyword box that moves drags
# nothing; the title label drags the window, and so does the bare strip, to
# the top edge, where it docks with the pointer away, leaving its bottom 3
# rows; the pointer on them brings it back to y -1, and away again it docks
# again. Docked, the
# summoning chord a Quillet.ini beside the program names brings it out.
. "$(dirname "$0")/../lib.sh"
begin
printf '[Quillet]\r\nSummonKey=Ctrl+Alt+F8\r\n' >Quillet.ini
start
drag $((WX + 340)) $((WY + 12)) $((WX + 490)) $((WY + 92))
check "a press on the keyword box drags nothing" at "$WIN" "x == $WX && y == $WY"
drag $((WX + 100)) $((WY + 12)) $((WX + 100)) $((WY + 52))
within 5 "dragged down by the title label" at "$WIN" "x == $WX && y > $WY + 30"
click $((WX + 205)) $((WY + 52))  # the press fluxbox takes after a move
drag $((WX + 205)) $((WY + 52)) $((WX + 205)) 14
within 5 "dragged by the strip to the top" at "$WIN" "x == $WX && y >= 0 && y <= 4"
xdotool mousemove 960 900
within 5 "the pointer away, it docks" at "$WIN" "x == $WX && y == -381"
xdotool mousemove $((WX + 250)) 1
within 5 "the pointer on the sliver brings it back" at "$WIN" "x == $WX && y == -1"
xdotool mousemove 960 900
within 5 "the pointer away again, it docks again" at "$WIN" "x == $WX && y == -381"
key ctrl+alt+F8
within 5 "the chord in Quillet.ini brings it out" at "$WIN" "x == $WX && y == -1"
