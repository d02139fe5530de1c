#pragma once

#include <memory>
#include <string>

#include "platform/drop_data.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/text_box.h"
#include "platform/window.h"
#include "store/entry_file.h"
#include "ui/edit/form2_layout.h"
#include "ui/entry_list.h"
#include "ui/forms.h"
#include "ui/shared_state.h"
#include "ui/texts.h"

namespace quillet {

// One opening of the editor: its window, created hidden with empty boxes.
class Form2View {
 public:
  virtual ~Form2View() = default;
  virtual Window& window() = 0;
  virtual TextBox& Text1() = 0;
  virtual TextBox& Text2() = 0;
};

class Form2ViewFactory {
 public:
  virtual ~Form2ViewFactory() = default;
  // nullptr on failure, with the system's message in `why`.
  virtual std::unique_ptr<Form2View> Create(std::wstring& why) = 0;
};

struct Form2Wiring {
  Form2ViewFactory& views;
  Window& form1;         // the main window
  EntryList& entries;    // its list's items
  TextBox& form1_Text1;  // its keyword box
  Screen& screen;
  MessageBoxes& messages;
  EntryFile& file;
  SharedState& state;
};

// The entry editor: one keyword and one target, added at the top of the list
// (EditMode 0) or put in place of the item it was opened on (EditMode 1),
// which the list follows while the editor is open.
class Form2 final : public EditorForm {
 public:
  explicit Form2(const Form2Wiring& wiring) : wiring_(wiring) {}

  bool Show() override;
  TextBox& Text1() override { return view_->Text1(); }
  TextBox& Text2() override { return view_->Text2(); }

  // OK: checks the two boxes and, when they pass, changes the list and closes.
  void Label3_Click();
  // The close image: discards the editor, list untouched.
  void Image3_Click();
  // Moves over the editor's own blue surface drag it.
  void Form_MouseMove();
  // A drop on the target box replaces its text: dropped text first, else the
  // first file's path; a drop offering neither is ignored.
  void Text2_OLEDragDrop(const DropData& data);

 private:
  // The first refusal of the typed entry, or nullptr when it may be stored.
  const wchar_t* Refusal(const std::wstring& keyword, const std::wstring& target) const;
  void Close();

  Form2Wiring wiring_;
  std::unique_ptr<Form2View> view_;
  // A closed editor's window, hidden; its handlers may still be on the stack,
  // so it goes when the next editor opens.
  std::unique_ptr<Form2View> closed_;
};

}  // namespace quillet
