# The editor's OK refuses, each with its own message box and the list left
# alone: an empty keyword, an empty target, a keyword with a space, a line
# break (dropped in), a character data.txt's code page cannot hold.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main

e2e_open_row_menu 0
e2e_menu_key 0
e2e_wait_editor
e2e_mouse_to $((EX + 200)) $((EY + 60))
read -r t2x t2y <<<"$(e2e_editor_at text2)"

ok_refused() {
  e2e_log "refused: $1"
  # A click can be lost while the window system is busy (a drop just ended):
  # one more click if no box came.
  local try
  for try in 1 2; do
    e2e_editor_click ok
    e2e_wait_window "^$E2E_APP_TITLE\$" 4 >/dev/null 2>&1 && break
    e2e_log "no box after click $try on OK"
    echo "edit_refusals: no box after click $try on OK (\"$1\"), clicked again" >>"${E2E_RETRIES:-/dev/null}"
  done
  e2e_wait_message "$1"
  xwininfo -id "$EDITOR" | grep -q 'Map State: IsViewable' || e2e_fail "the editor closed after \"$1\""
}
set_box() {
  e2e_editor_click "$1"
  e2e_clear_box 40
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

e2e_log "the close picture discards the entry"
e2e_editor_click close
e2e_wait_window_gone "$EDITOR" 5 || e2e_fail "the close picture did not close the editor"
e2e_wait_main_shown
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_click $((WX + 500)) $((WY + 11))
e2e_wait_exit "$E2E_PID" 10 || e2e_fail "the close icon did not end the program"
e2e_expect_bytes data.txt data.orig
