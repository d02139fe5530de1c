# The close icon at the strip's right end ends the program; with nothing
# changed (also after "载入", which only changes the list) data.txt stays
# byte for byte as it was.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries

close_and_check() {
  local win=$E2E_WIN
  e2e_click $((WX + 500)) $((WY + 11))
  e2e_wait_exit "$E2E_PID" 10 || e2e_fail "$1: the close icon did not end the program"
  e2e_wait_window_gone "$win" 5 || e2e_fail "$1: the window stayed after the process ended"
  e2e_expect_bytes data.txt data.orig
}

e2e_log "close right after start-up"
e2e_start_main
close_and_check "unchanged"

e2e_log "close after 载入"
e2e_start_main
before=$(e2e_list_text_height before)
e2e_key Tab Tab space
e2e_wait_list_doubled "$before" reloaded
close_and_check "after 载入"
