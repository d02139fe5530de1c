# Saving keeps what the user set, and what others wrote. data.txt is a
# symbolic link to a hidden file in another folder. 删除它 and 保存: the link stays a link, and the file it points to holds the new bytes,
# stays hidden and keeps its mode (Wine turns copied permissions into a mode
# of its own choosing; none should be copied where they are the same). Then
# that folder refuses new files (the immutable flag): another deletion and
# 保存 rewrite the file in place, still through the link, still hidden.
# Then, after a deletion, data.txt is edited by another program: the close
# icon asks, its default button (Return) is Cancel, which keeps the program
# and the other program's change; "保存" asks the same and OK overwrites; the
# close then saves without asking.
. "$(dirname "$0")/../lib.sh"
e2e_scenario_begin
command -v chattr >/dev/null || e2e_fail "chattr is needed (e2fsprogs)"
e2e_standard_entries
mkdir store
mv data.txt store/data.txt
ln -s store/data.txt data.txt
mode=$(stat -c %a store/data.txt)
e2e_wine cmd /c attrib +h "$(e2e_winepath store/data.txt)" >/dev/null 2>&1

expect_kept() {
  [ "$(readlink data.txt)" = store/data.txt ] || e2e_fail "data.txt is no longer the link: $(ls -l data.txt)"
  local attributes inode
  attributes=$(e2e_wine cmd /c attrib "$(e2e_winepath store/data.txt)" 2>/dev/null)
  [[ ${attributes:0:12} == *H* ]] || e2e_fail "store/data.txt lost its hidden attribute: $attributes"
  [ "$(stat -c %a store/data.txt)" = "$mode" ] || e2e_fail "store/data.txt lost its mode $mode: $(stat -c %a store/data.txt)"
  inode=$(stat -c %i store/data.txt)
  case $1 in
    INODE_CHANGED) [ "$inode" != "$before" ] || e2e_fail "store/data.txt was not replaced" ;;
    INODE_KEPT) [ "$inode" = "$before" ] || e2e_fail "store/data.txt was replaced, not rewritten in place" ;;
  esac
  e2e_expect_no_leftover .
  e2e_expect_no_leftover store
}
before=$(stat -c %i store/data.txt)
expect_kept INODE_KEPT

e2e_start_main
full=$(e2e_list_text_height full)
[ "$full" -gt 0 ] || e2e_fail "the entries are not listed (see full.png)"

e2e_log "删除它, 保存 through the link"
e2e_open_row_menu 0
e2e_menu_key 2
e2e_wait_list_height "H > 0 && H < $full" deleted
fewer=$H
sed -n '2,$p' data.orig >first.txt
e2e_press_list_button 4
e2e_wait_file_bytes data.txt first.txt 10
e2e_expect_no_message
expect_kept INODE_CHANGED

e2e_log "the link's folder refuses new files: 保存 rewrites in place"
e2e_on_exit "chattr -i '$E2E_SCENARIO_DIR/store' 2>/dev/null"
chattr +i store 2>/dev/null || e2e_fail "this file system has no immutable flag: chattr +i failed"
touch store/probe 2>/dev/null && e2e_fail "the locked folder still takes new files"
before=$(stat -c %i store/data.txt)
e2e_open_row_menu 0
e2e_menu_key 2
e2e_wait_list_height "H > 0 && H < $fewer" deleted_again
sed -n '3,$p' data.orig >second.txt
e2e_press_list_button 4
e2e_wait_file_bytes data.txt second.txt 10
e2e_expect_no_message
expect_kept INODE_KEPT
e2e_close_unchanged second.txt

e2e_log "another program writes data.txt"
rm data.txt
e2e_standard_entries
e2e_start_main
question='data.txt 在读入后已被其他程序修改。\n\n要用列表覆盖它吗？'

full=$(e2e_list_text_height full)
e2e_open_row_menu 0
e2e_menu_key 2
e2e_wait_list_height "H > 0 && H < $full" deleted
printf 'hand:edited\r\n' >>data.txt
cp data.txt data.hand
sed -n '2,$p' data.orig >data.list

e2e_log "close after a hand edit: Return is Cancel"
e2e_mouse_to $((WX + 250)) $((WY + 200))
e2e_close_icon
e2e_answer_message "$question" Return
e2e_expect_running
e2e_expect_bytes data.txt data.hand

e2e_log "保存 asks too; OK overwrites"
e2e_press_list_button 4
e2e_answer_message "$question" "shift+Tab Return"
e2e_wait_file_bytes data.txt data.list

e2e_log "nothing changed since: the close saves at once"
e2e_close_unchanged data.list
