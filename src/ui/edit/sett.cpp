#include "ui/edit/sett.h"

#include "store/entry_line.h"
#include "ui/texts.h"

namespace quillet {

void Sett::Popup(std::optional<PixelPoint> at) {
  if (list2you_ == nullptr) {
    list2you_ = wiring_.menus.Create({kMenuCommands[0], kMenuCommands[1], kMenuCommands[2], kMenuCommands[3]});
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
  return wiring_.state.SelectedIndex >= 0 && wiring_.state.SelectedIndex < wiring_.entries.Count();
}

void Sett::addone_Click() {
  wiring_.form1.Hide();
  wiring_.state.EditMode = 0;
  wiring_.editor.Show();  // on failure it shows the main window again
}

void Sett::editit_Click() {
  if (!SelectedIndexNamesAnItem()) return;
  const std::wstring line = wiring_.entries.Item(wiring_.state.SelectedIndex);
  if (!wiring_.editor.Show()) return;
  wiring_.editor.Text1().SetText(EntryPart(line, L"l"));
  wiring_.editor.Text2().SetText(EntryPart(line, L"r"));
  wiring_.state.EditMode = 1;
  wiring_.entries.Follow(wiring_.state.SelectedIndex);
  // Marked changed before any confirmation: closing the editor still saves.
  wiring_.state.DataChanged = 1;
}

void Sett::del_Click() {
  if (!SelectedIndexNamesAnItem()) return;
  wiring_.entries.Remove(wiring_.state.SelectedIndex);
  wiring_.state.DataChanged = 1;
}

void Sett::clearall_Click() {
  if (wiring_.messages.Show(kDeleteAllQuestion, kDeleteAllTitle, MessageStyle::kOkCancel) != MessageAnswer::kOk) return;
  // The list follows the file: both are emptied, or neither.
  const IoStatus status = wiring_.file.WriteCleared();
  if (!status) {
    wiring_.messages.Show(WriteFailedText(status), kAppTitle, MessageStyle::kOk);
    return;
  }
  wiring_.entries.Clear();
}

}  // namespace quillet
