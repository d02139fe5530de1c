#pragma once

#include <string>

#include "platform/application.h"
#include "platform/drop_data.h"
#include "platform/environment.h"
#include "platform/list_box.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/text_box.h"
#include "platform/window.h"
#include "store/entry_file.h"
#include "store/lookup.h"
#include "ui/drag_gesture.h"
#include "ui/entry_list.h"
#include "ui/forms.h"
#include "ui/main/dock.h"
#include "ui/shared_state.h"

namespace quillet {

inline constexpr wchar_t kHomePageHost[] = L"quillet.vellmar.example";
inline constexpr wchar_t kHomePagePath[] = L"/products/tolv/index.html?v=1.0";
inline constexpr int kTimer1IntervalMs = 500;

// What Form1 works with; all of it outlives the form.
struct Form1Wiring {
  Window& window;
  ListBox& List1;
  EntryList& entries;
  TextBox& Text1;
  Screen& screen;
  Shell& shell;
  const Environment& env;
  MessageBoxes& messages;
  Application& app;
  EntryFile& file;
  SharedState& state;
};

// The main window's logic: start-up, the launch by Enter, the hidden list
// buttons and the close sequence.
class Form1 : private TargetOpener {
 public:
  explicit Form1(const Form1Wiring& wiring) : wiring_(wiring) {}

  // The entry menu and the editor, program-wide like the form itself.
  void Connect(MenuForm& menu, EditorForm& editor) {
    menu_ = &menu;
    editor_ = &editor;
  }

  // Centres the window, fills List1 from the entry file, gives the keyword box
  // the focus, and makes the window topmost and visible.
  void Form_Load();

  // Enter (kKeyEnter) runs the lookup whatever the shift state; the key still
  // reaches the control with the focus.
  void Form_KeyDown(int key_code);

  void Command5_Click();  // "搜索": the lookup of the typed keywords
  void Command1_Click();  // "载入": append the file's lines to the list
  void Command2_Click();  // "清空": empty the list, not the file
  void Command3_Click();  // "保存": write the list to the file (asking first if another program changed it)
  void Command4_Click() {}

  // Every 500 ms, shown or hidden: docks the window behind the screen edge it
  // lies at when the pointer is away, and brings it back when the pointer
  // touches the sliver left on screen.
  void Timer1_Timer();

  // The summoning key: brings the window out from behind the edge it is
  // docked at, shows and activates it, and leaves the keyword box focused
  // with its text selected. The window then stays out until it has lost the
  // activation.
  void Form_HotKey();

  // Moves over the bare title strip and the title drag the window.
  void pmenu_MouseMove();
  void title_MouseMove();

  // The home-page icon: opens the product's home page, nothing else.
  void Image1_Click();

  // A button released over the list: the left one remembers the selected
  // item and pops up the entry menu.
  void List1_MouseUp(MouseButton button);

  // The context-menu key or Shift+F10 with the focus on the list: what the
  // left-button release does, with the menu at the selected item.
  void List1_MenuKey();

  // Something dropped on the list opens the editor to add it as a target:
  // the dropped text, else the first file's path; a drop offering neither is
  // ignored.
  void List1_OLEDragDrop(const DropData& data);

  // The close icon: saves when the list changed, then ends the program. When
  // another program changed data.txt meanwhile the user chooses between
  // overwriting it, ending without saving and staying; when the save fails,
  // between ending and staying. Returns whether the program ends. Alt+F4
  // comes here too.
  bool Image3_Click();

  // The system asks whether the session may end; the answer is due at once,
  // so no question is asked and the program does not end here. A changed
  // list is saved where that needs no question; otherwise, or when the save
  // fails, the end is held with a reason the system shows the user.
  bool Form_QueryEndSession();
  // The session ends (`ending`), and the program with it; or it goes on,
  // and so does the program, no longer holding the end.
  void Form_EndSession(bool ending);

  // Writes every item of List1, in list order, to the entry file.
  IoStatus ConfigSave();

 private:
  void OpenTarget(const std::wstring& target) override;
  bool LoadEntryFile();
  DockInputs ReadDockInputs() const;
  void Apply(const DockMove& move);
  // False when another program changed data.txt since it was last read or
  // written here and the user chose not to overwrite it.
  bool MayOverwrite();
  // The close's save of a changed list: false when the program must stay.
  bool SaveBeforeClosing();

  Form1Wiring wiring_;
  MenuForm* menu_ = nullptr;
  EditorForm* editor_ = nullptr;
  // Brought out by the summoning key, and active ever since.
  bool summoned_ = false;
};

}  // namespace quillet
