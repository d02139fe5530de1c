#include "ui/edit/form2.h"

#include "store/entry_line.h"
#include "ui/drag_window.h"
#include "ui/placement.h"
#include "ui/texts.h"

namespace quillet {

bool Form2::Show() {
  if (view_ == nullptr) {
    std::wstring why;
    view_ = wiring_.views.Create(why);
    if (view_ == nullptr) {
      // Whoever opened the editor may have hidden the main window for it.
      wiring_.form1.Show();
      wiring_.messages.Show(kEditorFailedPrefix + why, kAppTitle, MessageStyle::kOk);
      wiring_.form1_Text1.Focus();
      return false;
    }
    closed_.reset();
    // Created centred on the screen, and topmost without moving.
    CentreOnPrimary(view_->window(), wiring_.screen, kForm2Width, kForm2Height);
    view_->window().MakeTopmost(/*show=*/false);
  }
  view_->window().Show();
  view_->window().Activate();
  return true;
}

const wchar_t* Form2::Refusal(const std::wstring& keyword, const std::wstring& target) const {
  if (keyword.empty()) return kKeywordEmpty;
  if (target.empty()) return kTargetEmpty;
  if (keyword.find(L' ') != std::wstring::npos) return kKeywordHasSpace;
  // A line break would split the saved line into two broken entries.
  if (keyword.find_first_of(L"\r\n") != std::wstring::npos || target.find_first_of(L"\r\n") != std::wstring::npos) {
    return kHasLineBreak;
  }
  // Text the entry file's encoding can't hold would be lost at the next save.
  if (!wiring_.file.CanStore(keyword) || !wiring_.file.CanStore(target)) return kUnstorable;
  return nullptr;
}

void Form2::Label3_Click() {
  if (view_ == nullptr) return;
  const std::wstring keyword = view_->Text1().Text();
  const std::wstring target = view_->Text2().Text();
  if (const wchar_t* refusal = Refusal(keyword, target)) {
    // Owned by the editor: it takes no typing, OK or close until answered.
    wiring_.messages.Show(refusal, kAppTitle, MessageStyle::kOk, &view_->window());
    // With the main window hidden (add mode) the focus stays in the editor.
    if (wiring_.form1.IsVisible())
      wiring_.form1_Text1.Focus();
    else
      view_->Text1().Focus();
    return;
  }
  std::wstring line = MakeEntryLine(keyword, target);
  // The item that was opened, wherever the list's changes have moved it;
  // SelectedIndex may name another item by now.
  const int index = wiring_.entries.Followed();
  if (wiring_.state.EditMode == 1 && index != EntryList::kNone) {
    wiring_.entries.Set(index, std::move(line));
  } else {
    // Add mode, or the edited item is gone: nothing typed is lost.
    wiring_.entries.Insert(0, std::move(line));
  }
  Close();
  wiring_.form1.Show();
  wiring_.state.DataChanged = 1;
  wiring_.form1_Text1.Focus();
}

void Form2::Image3_Click() {
  if (view_ == nullptr) return;
  Close();
  wiring_.form1.Show();
  wiring_.form1_Text1.Focus();
}

void Form2::Form_MouseMove() {
  if (view_ != nullptr) DragWindow(view_->window());
}

void Form2::Text2_OLEDragDrop(const DropData& data) {
  if (view_ == nullptr) return;
  if (const auto value = data.TextOrFirstFile()) view_->Text2().SetText(*value);
}

void Form2::Close() {
  wiring_.entries.Follow(EntryList::kNone);
  view_->window().Hide();
  closed_ = std::move(view_);
}

}  // namespace quillet
