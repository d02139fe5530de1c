# "新增一个" from the entry menu: the main window hides, the editor opens with
# empty boxes; a keyword and a target typed there and OK (Label3) put the
# entry at the top of the list; the close icon then writes it first in data.txt.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_witness N.exe
e2e_start_main

e2e_log "menu on the first row, 新增一个 by the keyboard"
e2e_open_row_menu 0
e2e_menu_key 0
e2e_wait_editor
e2e_wait_main_hidden
e2e_mouse_to $((EX + 200)) $((EY + 60))
[ "${EW}x$EH" = 434x160 ] || e2e_fail "the editor is ${EW}x$EH, expected 434x160"
# Its own blue, the yellow panel, and the blue OK label.
e2e_wait_pixel $((EX + 200)) $((EY + 10)) 14,151,231 5 editor || e2e_fail "the editor's surface is not blue"
e2e_wait_pixel $((EX + 10)) $((EY + 140)) 255,255,128 5 editor || e2e_fail "the editor's panel is not light yellow"
read -r x y <<<"$(e2e_editor_at ok)"
e2e_wait_pixel $((x - 60)) "$y" 14,151,231 5 editor || e2e_fail "the OK label is not blue"

e2e_log "type the keyword (Chinese) and the target"
e2e_editor_click text1
e2e_paste '新词'
e2e_key Tab
target=$(e2e_winepath "$E2E_SCENARIO_DIR/N.exe")
e2e_type "$target"
e2e_editor_click ok
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "OK did not close the editor"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))

e2e_log "close: the new entry is saved first"
{ printf '%s\r\n' "新词:$target" | iconv -f UTF-8 -t GBK; cat data.orig; } >expected.txt
e2e_click $((WX + 500)) $((WY + 11))
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
e2e_expect_bytes data.txt expected.txt
