# At 144 DPI the main window keeps its size in twips (7695 x 5760: 770 x 576
# pixels), centred, with the strip and the list in their colours; so does the
# editor (6510 x 2400: 651 x 240), which follows a move to a monitor at
# 96 DPI and back, and whose close picture lies where its twips put it;
# docked at the top the main window leaves a sliver of 40 twips, 4 pixels at
# this DPI.
. "$(dirname "$0")/../lib.sh"
begin
# Some Wines read the scale only when their server starts: it starts again.
dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null; wineserver -w; wineserver -p
}
at_exit "dpi 96"  # for the journeys after this one
dpi 144
start
check "770x576, centred" at "$WIN" '(x == 575 || x == 576) && y == 252 && w == 770 && h == 576'
within 5 "the strip's colour" pixel $((WX + 345)) $((WY + 12)) 'srgb(14,151,231)'
within 5 "the list's colour" pixel $((WX + 750)) $((WY + 555)) 'srgb(255,255,0)'
menu $((WY + 45)) 0  # 新增一个, on the first row below the strip
editor
check "the editor is 651x240" at "$ED" 'w == 651 && h == 240'
# What Windows tells a window moved to a monitor of another scale.
wine "$HELPER" dpi Form2 96 >/dev/null 2>&1
within 5 "moved to a 96 DPI monitor the editor is 434x160" at "$ED" 'w == 434 && h == 160'
wine "$HELPER" dpi Form2 144 >/dev/null 2>&1
within 5 "and back at 144 DPI 651x240" at "$ED" 'w == 651 && h == 240'
editor  # where it is now: Wine passes the suggested place to another process's window as zeros
click $((EX + 631)) $((EY + 15))
within 5 "its close picture closes it" hidden "$ED" && within 5 "the main window comes back" shown "$WIN"
drag $((WX + 320)) $((WY + 12)) $((WX + 320)) -18
xdotool mousemove 960 900
within 5 "docked at the top, a 4-pixel sliver shows" at "$WIN" 'y + h == 4'
