# The house icon opens the product's home page in the browser, once per
# click, and changes nothing else: the window keeps its place and no message
# box appears. The icons are buttons: a press slid from one onto the other,
# or released outside the window, clicks neither.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main
x0=$WX y0=$WY
url='https://quillet.vellmar.example/products/tolv/index.html?v=1.0'
log=$E2E_XDG_LOG

e2e_log "click the house icon"
e2e_click $((WX + 471)) $((WY + 12))
e2e_expect_new_lines "$log" 0 "$url"

# A few pixels away from the first click, so that the two are not taken for
# a double click.
e2e_log "click it again: one more visit"
e2e_click $((WX + 483)) $((WY + 12))
e2e_expect_new_lines "$log" 1 "$url"

# slide X1 X2: presses the left button at X1 on the strip, moves to X2, releases.
slide() {
  xdotool mousemove "$1" $((WY + 12)) mousedown 1
  sleep 0.1
  xdotool mousemove $(((${1} + ${2}) / 2)) $((WY + 12))
  sleep 0.1
  xdotool mousemove "$2" $((WY + 12))
  sleep 0.1
  xdotool mouseup 1
  sleep 0.2
}
e2e_log "slide from the close icon onto the house, and back; release outside"
slide $((WX + 500)) $((WX + 471))
slide $((WX + 471)) $((WX + 500))
e2e_expect_running
slide $((WX + 500)) $((WX + WW + 40))
e2e_expect_running

# Nothing else follows the clicks: after a keyword lookup (which launches X
# and W, and so had time to come after anything the clicks set off) the log
# still holds the two visits, the window has not moved and no message box is
# open.
e2e_mouse_to $((WX + 300)) $((WY + 12))
e2e_click $((WX + 300)) $((WY + 12))
e2e_type a
e2e_key Return
e2e_expect_launches 0 X.exe W.exe
[ "$(e2e_log_count "$log")" = 2 ] || e2e_fail "the browser was asked $(e2e_log_count "$log") times: $(e2e_lines_from "$log" 1)"
e2e_geometry "$E2E_WIN"
[ "$WX,$WY" = "$x0,$y0" ] || e2e_fail "the window moved from $x0,$y0 to $WX,$WY"
[ -z "$(e2e_find_windows "^$E2E_APP_TITLE\$")" ] || e2e_fail "a message box is open: $(e2e_list_windows)"
