# Docking and dragging, one program start per edge (see drag in lib.sh).
# Top: a press on the keyword box that moves drags nothing; the bare strip
# drags the window to the top edge, it docks behind it with the pointer away
# leaving its bottom 3 rows, comes back to y -1 when the pointer touches
# them, and docks again. Left: the title label drags it there, it leaves its
# right 3 columns and comes back to x -1. Right: placed one pixel inside the
# edge it stays; touching the edge it docks at x 1917 and comes back to x 1408.
# Docked, the summoning chord a Quillet.ini beside the program names brings it out.
. "$(dirname "$0")/../lib.sh"
begin
entries
printf '[Quillet]\r\nSummonKey=Ctrl+Alt+F8\r\n' >Quillet.ini
away() { xdotool mousemove 960 900; }
# cycle GRAB DX DY AT DOCKED "BX BY SX SY W H" TOUCH REVEALED: dragged by the
# strip GRAB pixels from its left by DX,DY until AT holds; with the pointer
# away it docks (DOCKED), its W x H area at BX,BY showing at SX,SY; the
# pointer at TOUCH brings it back (REVEALED); away again, it docks again.
cycle() {
  local bx by sx sy w h
  read -r bx by sx sy w h <<<"$6"
  import -window root "$ART/before.png"
  drag $((WX + $1)) $((WY + 12)) $((WX + $1 + $2)) $((WY + 12 + $3))
  within 5 "dragged by the strip by $2,$3" at "$WIN" "$4"
  away
  within 5 "the pointer away, it docks" at "$WIN" "$5"
  within 5 "its edge shows on the screen" eval 'import -window root "$ART/docked.png" && [ "$(compare -metric AE "$ART/before.png[${w}x$h+$bx+$by]" "$ART/docked.png[${w}x$h+$sx+$sy]" null: 2>&1)" = 0 ]'
  xdotool mousemove $7
  within 5 "the pointer on the sliver brings it back" at "$WIN" "$8"
  away
  within 5 "the pointer away again, it docks again" at "$WIN" "$5"
}

start
drag $((WX + 340)) $((WY + 12)) $((WX + 490)) $((WY + 92))
check "a press on the keyword box drags nothing" at "$WIN" "x == $WX && y == $WY"
cycle 205 0 $((2 - WY)) "x == $WX && y >= 0 && y <= 4" "x == $WX && y == -381" \
  "$WX $((WY + 381)) $WX 0 513 3" "$((WX + 250)) 1" "x == $WX && y == -1"
key ctrl+alt+F8
within 5 "the chord in Quillet.ini brings it out" at "$WIN" "x == $WX && y == -1"
stop

start  # left, by the title label
cycle 100 $((2 - WX)) 0 "y == $WY && x >= 0 && x <= 4" "x == -510 && y == $WY" \
  "$((WX + 510)) $WY 0 $WY 3 384" "1 $((WY + 200))" "x == -1 && y == $WY"
stop

start  # right, placed by the window manager: a drag would snap to the edge
xdotool windowmove "$WIN" 1406 "$WY"
within 5 "moved to x 1406" at "$WIN" 'x == 1406'
away
sleep 1.5  # three ticks of the docking timer
check "one pixel inside the right edge, it stays" at "$WIN" "x == 1406 && y == $WY"
xdotool windowmove "$WIN" 1407 "$WY"
within 5 "touching the right edge, it docks" at "$WIN" "x == 1917 && y == $WY"
xdotool mousemove 1918 $((WY + 200))
within 5 "the pointer on the sliver brings it back" at "$WIN" "x == 1408 && y == $WY"
away
within 5 "the pointer away again, it docks again" at "$WIN" "x == 1917"
