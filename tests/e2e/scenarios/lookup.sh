# Keyword lookup with data.txt "a:X", "b:Y", ":Z", "a:W": every matching line
# opens, in file order; case counts; an empty box matches the empty keyword;
# Shift+Enter, Ctrl+Enter and Alt+Enter look up like Enter, and the box keeps
# its text (it gets the key, without the line break).
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
e2e_standard_entries
e2e_start_main

e2e_log "'a' opens X then W"
e2e_type a
e2e_key Return
e2e_expect_launches 0 X.exe W.exe

e2e_log "'b a' opens X, Y, W in file order"
e2e_clear_box
e2e_type 'b a'
e2e_key Return
e2e_expect_launches 2 X.exe Y.exe W.exe

e2e_log "'A' opens nothing; the empty box then opens Z alone"
e2e_clear_box
e2e_type A
e2e_key Return
e2e_clear_box
e2e_key Return
e2e_expect_launches 5 Z.exe

e2e_log "Shift+Enter with 'b' opens Y"
e2e_type b
e2e_key shift+Return
e2e_expect_launches 6 Y.exe

e2e_log "Ctrl+Enter and Alt+Enter with 'b' open Y each"
e2e_key ctrl+Return
e2e_expect_launches 7 Y.exe
e2e_key alt+Return
e2e_expect_launches 8 Y.exe
e2e_log "the box still holds 'b': Enter opens Y again"
e2e_key Return
e2e_expect_launches 9 Y.exe
