# An entry file that cannot be read (data.txt is a directory): a message box
# titled with the application's name says so; after OK the main window shows
# with an empty list.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
mkdir data.txt
e2e_start_program

box=$(e2e_wait_window "^${E2E_APP_TITLE}\$" 15) || e2e_fail "no message box titled $E2E_APP_TITLE"
e2e_shot "$E2E_ARTIFACTS/message.png"
e2e_window_texts "$E2E_APP_TITLE" "$E2E_ARTIFACTS/message.txt" || e2e_fail "cannot read the message box's texts"
e2e_log "message box: $(tr '\t\n' ' |' <"$E2E_ARTIFACTS/message.txt")"
cut -f2- "$E2E_ARTIFACTS/message.txt" | grep -q '^无法读取 data\.txt：' \
  || e2e_fail "no text starting with \"无法读取 data.txt：\" in the box: $(cat "$E2E_ARTIFACTS/message.txt")"

e2e_focus "$box"
e2e_key Return
e2e_wait_window_gone "$box" 5 || e2e_fail "Return did not close the message box"

E2E_WIN=$(e2e_wait_window "^${E2E_MAIN_TITLE//./\\.}\$" 10) || e2e_fail "the main window did not show after the message"
e2e_geometry "$E2E_WIN"
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_wait_pixel $((WX + 500)) $((WY + 370)) 255,255,0 5 main || e2e_fail "the list is not drawn"
[ "$(e2e_list_text_height main)" = 0 ] || e2e_fail "the list is not empty (see main.png)"
[ -d data.txt ] || e2e_fail "the directory data.txt was replaced"
