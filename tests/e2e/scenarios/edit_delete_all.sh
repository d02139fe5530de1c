# "删除所有" asks first: Cancel leaves list and file alone; OK empties the list
# and writes data.txt as a lone line break at once.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main

ask_delete_all() {
  e2e_open_row_menu 0
  e2e_menu_key 3
  TIPS=$(e2e_wait_window '^Tips$' 5) || e2e_fail "no question before deleting all"
  e2e_window_texts Tips "$E2E_SCENARIO_DIR/tips.txt"
  grep -qxF 'Static	Do you want to delete all ?' tips.txt || e2e_fail "the question says: $(cat tips.txt)"
  e2e_focus "$TIPS"
}

e2e_log "删除所有, Cancel"
ask_delete_all
e2e_key Escape
e2e_wait_window_gone "$TIPS" 5 || e2e_fail "the question stayed open"
[ "$(e2e_list_text_height kept)" -gt 0 ] || e2e_fail "Cancel emptied the list (see kept.png)"
cmp -s data.txt data.orig || e2e_fail "Cancel changed data.txt"

e2e_log "删除所有, OK"
e2e_mouse_to $((WX + 250)) $((WY + 200))
ask_delete_all
e2e_key Return
e2e_wait_window_gone "$TIPS" 5 || e2e_fail "the question stayed open"
printf '\r\n' >expected.txt
e2e_wait_file_bytes data.txt expected.txt 5
# The keyword box takes the focus, so the list draws no focus frame.
e2e_click $((WX + 330)) $((WY + 11))
end=$((SECONDS + 5))
until [ "$(e2e_list_text_height emptied)" = 0 ]; do
  [ "$SECONDS" -ge "$end" ] && e2e_fail "the list still shows entries (see emptied.png)"
  sleep 0.1
done
