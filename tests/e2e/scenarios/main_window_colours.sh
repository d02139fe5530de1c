# The main window's look: the blue title strip across the top, the yellow
# list below it, and the entries of data.txt drawn in the list.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main

e2e_wait_pixel $((WX + 230)) $((WY + 8)) 14,151,231 5 strip || e2e_fail "the title strip is not rgb(14,151,231)"
e2e_wait_pixel $((WX + 500)) $((WY + 370)) 255,255,0 5 list || e2e_fail "the list is not rgb(255,255,0)"

# The list (twips 60,315 sized 7575 x 5385) shows the four entries as text.
shot=$E2E_ARTIFACTS/list.png
read -r w h x y <<<"$(e2e_ink_box "$shot" $((WX + 6)) $((WY + 25)) 500 352)"
e2e_log "text in the list: ${w}x${h} at $x,$y"
[ "$h" -gt 20 ] && [ "$w" -gt 100 ] || e2e_fail "the list shows no entries (text box ${w}x${h})"
