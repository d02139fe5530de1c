#include "ui/edit/sett.h"

#include "store/entry_line.h"
#include "ui/texts.h"

namespace quillet {

void Sett::Popup(std::optional<PixelPoint> at) {
  if (list2you_ == nullptr) {
    list2you_ = p_.menus.Create({L"新增一个", L"编辑它", L"删除它", L"删除所有"});
    if (list2you_ == nullptr) return;
  }
  switch (at ? list2you_->TrackAt(*at) : list2you_->TrackAtCursor()) {
    case 0: addone_Click(); break;
    case 1: editit_Click(); break;
    case 2: del_Click(); break;
    case 3: clearall_Click(); break;
    default: break;  // dismissed
  }
}

bool Sett::SelectedIndexNamesAnItem() const {
  return p_.state.SelectedIndex >= 0 && p_.state.SelectedIndex < p_.List1.Count();
}

void Sett::addone_Click() {
  p_.form1.Hide();
  p_.state.EditMode = 0;
  p_.editor.Show();  // on failure it shows the main window again
}

void Sett::editit_Click() {
  if (!SelectedIndexNamesAnItem()) return;
  const std::wstring line = p_.List1.Item(p_.state.SelectedIndex);
  if (!p_.editor.Show()) return;
  p_.editor.Text1().SetText(EntryPart(line, L"l"));
  p_.editor.Text2().SetText(EntryPart(line, L"r"));
  p_.state.EditMode = 1;
  p_.List1.Follow(p_.state.SelectedIndex);
  // Marked changed before any confirmation: closing the editor still saves.
  p_.state.DataChanged = 1;
}

void Sett::del_Click() {
  if (!SelectedIndexNamesAnItem()) return;
  p_.List1.Remove(p_.state.SelectedIndex);
  p_.state.DataChanged = 1;
}

void Sett::clearall_Click() {
  if (p_.messages.Show(kDeleteAllQuestion, kDeleteAllTitle, MessageStyle::kOkCancel) != MessageAnswer::kOk) return;
  // The list follows the file: both are emptied, or neither.
  const IoStatus status = p_.file.WriteCleared();
  if (!status) {
    p_.messages.Show(WriteFailedText(status), kAppTitle, MessageStyle::kOk);
    return;
  }
  p_.List1.Clear();
}

}  // namespace quillet
