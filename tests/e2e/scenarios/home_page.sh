# The house icon opens the product's home page in the browser, once per
# click (a double-click is one), and changes nothing else: the window keeps
# its place and no message box appears. The icons are buttons: a press slid
# from one onto the other, or released outside the window, clicks neither.
. "$(dirname "$0")/../lib.sh"
begin
entries
start
url='https://quillet.vellmar.example/products/tolv/index.html?v=1.0'
echo "$url" >visit1.txt && cat visit1.txt visit1.txt >visit2.txt && cat visit2.txt visit1.txt >visit3.txt
click $((WX + 471)) $((WY + 12))
within 5 "the house opens the home page" same xdg-open.log visit1.txt
click $((WX + 483)) $((WY + 12))  # a few pixels away: no double click
within 5 "a second click, a second visit" same xdg-open.log visit2.txt
xdotool mousemove $((WX + 471)) $((WY + 12)) click --repeat 2 --delay 80 1
within 5 "a double-click, one visit" same xdg-open.log visit3.txt  # a second one would show at the end

# slide X1 X2: presses on the strip at X1, slides to X2, releases.
slide() { xdotool mousemove "$1" $((WY + 12)) mousedown 1 sleep 0.1 mousemove $((($1 + $2) / 2)) $((WY + 12)) \
  sleep 0.1 mousemove "$2" $((WY + 12)) sleep 0.1 mouseup 1 sleep 0.2; }
slide $((WX + 500)) $((WX + 471))  # from × onto the house
slide $((WX + 471)) $((WX + 500))  # from the house onto ×
check "a slide onto × ends nothing" kill -0 "$PID"
slide $((WX + 500)) $((WX + WW + 40))  # from × out of the window
check "a release outside ends nothing" kill -0 "$PID"
# A lookup comes after anything the slides could have set off.
click $((WX + 300)) $((WY + 12))
typ a && key Return && launches X.exe W.exe
check "the browser was asked three times in all" same xdg-open.log visit3.txt
check "the window stays in place" at "$WIN" "x == $WX && y == $WY"
no_box
