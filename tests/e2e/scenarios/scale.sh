# At 144 DPI the main window keeps its size in twips (7695 x 5760: 770 x 576
# pixels), centred, with the strip and the list in their colours; docked at
# the top it leaves a sliver of 40 twips, 4 pixels at this DPI.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
set_dpi() { e2e_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
# Back to 96 DPI for the scenarios after this one, whatever happens here.
trap 'e2e_scenario_cleanup; set_dpi 96' EXIT
set_dpi 144
e2e_standard_entries
e2e_start_main
e2e_log "geometry ${WW}x${WH} at $WX,$WY"
[ "$WW" = 770 ] && [ "$WH" = 576 ] || e2e_fail "size at 144 DPI is ${WW}x${WH}, expected 770x576"
{ [ "$WX" = 575 ] || [ "$WX" = 576 ]; } && [ "$WY" = 252 ] || e2e_fail "top-left is $WX,$WY, expected 575 or 576, 252 (centred)"
e2e_shot "$E2E_ARTIFACTS/dpi144.png"
strip=$(e2e_pixel "$E2E_ARTIFACTS/dpi144.png" $((WX + 345)) $((WY + 12)))
list=$(e2e_pixel "$E2E_ARTIFACTS/dpi144.png" $((WX + 750)) $((WY + 555)))
[ "$strip" = "14,151,231" ] || e2e_fail "strip pixel is $strip"
[ "$list" = "255,255,0" ] || e2e_fail "list pixel is $list"

e2e_drag $((WX + 320)) $((WY + 12)) 0 $((-WY - 30))
e2e_mouse_to "$E2E_AWAY_X" "$E2E_AWAY_Y"
end=$((SECONDS + 5))
while :; do
  e2e_geometry "$E2E_WIN"
  [ $((WY + WH)) -eq 4 ] && break
  [ "$SECONDS" -ge "$end" ] && e2e_fail "dragged to the top and left alone, the window is at y=$WY (height $WH): no 4-pixel sliver"
  sleep 0.1
done
e2e_log "docked at y=$WY, a sliver of $((WY + WH)) pixels"
