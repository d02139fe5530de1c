# Editing, along one road: the entry menu closes without a command on Escape
# and on a click beside it. "新增一个" hides the main window and opens the
# editor (its size and colours); OK refuses an empty keyword, an empty
# target, a keyword with a space, a dropped line break and a character the
# code page can't hold, each with its box and the editor kept open; a Chinese
# keyword and a target are then added on top. Enter finds the new entry only
# after "保存". "编辑它" opens the editor over the visible main window with the
# entry's two parts and replaces it in place; "删除它" removes one; the close
# icon writes the list. "删除所有" asks: Cancel keeps everything, OK empties
# the list and writes a lone line break at once.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_witness N.exe
e2e_start_main
n_path=$(e2e_winepath "$E2E_SCENARIO_DIR/N.exe")

e2e_open_row_menu 0
e2e_key Escape
e2e_wait_menu_gone
e2e_open_row_menu 2
e2e_click $((WX - 100)) $((WY + 100))
e2e_wait_menu_gone
[ -z "$(e2e_find_windows "^$E2E_EDITOR_TITLE\$")" ] || e2e_fail "a dismissed menu opened the editor"

e2e_log "新增一个"
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_open_row_menu 0
e2e_menu_key 0
e2e_wait_editor
e2e_wait_main_hidden
e2e_mouse_to $((EX + 200)) $((EY + 60))
[ "${EW}x$EH" = 434x160 ] || e2e_fail "the editor is ${EW}x$EH, expected 434x160"
e2e_wait_pixel $((EX + 200)) $((EY + 10)) 14,151,231 5 editor || e2e_fail "the editor's surface is not blue"
e2e_wait_pixel $((EX + 10)) $((EY + 140)) 255,255,128 5 editor || e2e_fail "the editor's panel is not light yellow"
read -r t2x t2y <<<"$(e2e_editor_at text2)"
ok_refused() {
  local try
  for try in 1 2; do  # a click can be lost while the window system is busy (a drop just ended)
    e2e_editor_click ok
    e2e_wait_window "^$E2E_APP_TITLE\$" 4 >/dev/null 2>&1 && break
    echo "editing: no box after click $try on OK (\"$1\"), clicked again" >>"${E2E_RETRIES:-/dev/null}"
  done
  e2e_wait_message "$1"
  xwininfo -id "$EDITOR" | grep -q 'Map State: IsViewable' || e2e_fail "the editor closed after \"$1\""
}
set_box() {  # BOX TEXT [LENGTH TO CLEAR]
  e2e_editor_click "$1"
  e2e_clear_box "${3:-40}"
  [ -z "$2" ] || e2e_type "$2"
}
ok_refused '触发关键字不能为空'
set_box text1 k
ok_refused '路径或者网址不能为空'
set_box text1 'a b'
set_box text2 'C:\x.exe'
ok_refused '触发关键字不能含有空格'
set_box text1 k
e2e_drop "$t2x" "$t2y" text $'C:\\x.exe\r\nD:\\y.exe'
ok_refused '触发关键字和路径/网址不能含有换行'
e2e_drop "$t2x" "$t2y" text 'C:\😀.exe'
ok_refused '触发关键字或路径/网址含有无法保存的字符'
set_box text1 ''
e2e_paste '新词'
set_box text2 "$n_path"
e2e_editor_click ok
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "OK did not close the editor"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_focus "$E2E_WIN"

e2e_log "not saved: 新词 opens nothing ('a' after it opens X and W alone); after 保存 it opens N"
e2e_click $((WX + 330)) $((WY + 11))
e2e_paste '新词'
e2e_key Return
e2e_clear_box
e2e_type a
e2e_key Return
e2e_expect_launches 0 X.exe W.exe
cmp -s data.txt data.orig || e2e_fail "data.txt changed before 保存"
e2e_key Tab Tab Tab Tab space
{ printf '%s\r\n' "新词:$n_path" | iconv -f UTF-8 -t GBK; cat data.orig; } >saved.txt
e2e_wait_file_bytes data.txt saved.txt 5
e2e_click $((WX + 300)) $((WY + 11))
e2e_clear_box
e2e_paste '新词'
e2e_key Return
e2e_expect_launches 2 N.exe

e2e_log "编辑它 on the third row (b:Y) with the mouse, a new target"
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_open_row_menu 2
e2e_menu_click 1
e2e_wait_editor
e2e_mouse_to $((EX + 200)) $((EY + 60))
e2e_expect_box text1 b
e2e_expect_box text2 "$(e2e_winepath "$E2E_SCENARIO_DIR/Y.exe")"
xwininfo -id "$E2E_WIN" | grep -q 'Map State: IsViewable' || e2e_fail "the main window was hidden while editing"
set_box text2 "$n_path" 120
e2e_editor_click ok
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "OK did not close the editor"
e2e_mouse_to $((WX + 250)) $((WY + 200))

e2e_log "删除它 on the second row (a:X), then the close icon"
e2e_open_row_menu 1
e2e_menu_key 2
{ sed -n 1p saved.txt; printf 'b:%s\r\n' "$n_path"; sed -n '4,$p' saved.txt; } >edited.txt
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_focus "$E2E_WIN"
e2e_close_unchanged edited.txt

e2e_log "删除所有: Cancel, then OK"
e2e_start_main
ask_delete_all() {
  e2e_open_row_menu 0
  e2e_menu_key 3
  TIPS=$(e2e_wait_window '^Tips$' 5) || e2e_fail "no question before deleting all"
  e2e_window_texts Tips tips.txt
  grep -qxF 'Static	Do you want to delete all ?' tips.txt || e2e_fail "the question says: $(cat tips.txt)"
  e2e_focus "$TIPS"
  e2e_key "$1"
  e2e_wait_window_gone "$TIPS" 5 || e2e_fail "the question stayed open"
}
ask_delete_all Escape
[ "$(e2e_list_text_height kept)" -gt 0 ] || e2e_fail "Cancel emptied the list (see kept.png)"
cmp -s data.txt edited.txt || e2e_fail "Cancel changed data.txt"
e2e_mouse_to $((WX + 250)) $((WY + 200))
ask_delete_all Return
printf '\r\n' >cleared.txt
e2e_wait_file_bytes data.txt cleared.txt 5
e2e_click $((WX + 330)) $((WY + 11))   # the keyword box takes the focus: no focus frame in the list
e2e_wait_list_height 'H == 0' emptied
