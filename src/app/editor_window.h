#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "platform/win32/drop_target.h"
#include "platform/win32/gdi.h"
#include "platform/win32/message_target.h"
#include "platform/win32/subclass.h"
#include "platform/win32/surface.h"
#include "platform/win32/win32_controls.h"
#include "ui/click_tracker.h"
#include "ui/edit/editor_keys.h"
#include "ui/edit/form2.h"
#include "ui/edit/selection_drag.h"
#include "ui/focus_memory.h"

namespace quillet {

class EditorWindowFactory;

// The fonts the editor's controls use. A base class of the window, ahead of
// MessageTarget, so that they outlive the window, which MessageTarget destroys.
struct EditorWindowFonts {
  Font title_font_, text_font_;
};

// One opening of the entry editor: a borderless tool window, created hidden,
// built from its layout table; its messages become Form2's handler calls.
class EditorWindow final : private EditorWindowFonts, public MessageTarget, public Form2View {
 public:
  explicit EditorWindow(EditorWindowFactory& factory);
  ~EditorWindow() override;

  // Creates the window and its controls, hidden; false on failure, with the
  // system's message in `why`.
  bool Create(std::wstring& why);

  Window& window() override { return window_; }
  TextBox& Text1() override { return text1_; }
  TextBox& Text2() override { return text2_; }

  // The key preview: Tab and Shift+Tab go round the two boxes and OK; Space
  // presses a focused OK; Enter and Escape do nothing in the boxes. Returns true when the message is used up.
  bool PreTranslate(const MSG& msg);

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void CreateControls();
  HWND CreateEdit(HWND parent, const RECT& r);
  // Text2's own messages, ahead of the edit control: its selection is a drag source.
  LRESULT OnText2Message(UINT message, WPARAM wparam, LPARAM lparam);
  Form2& form();
  EditorBox FocusedBox() const;
  HWND Box(EditorBox box) const;

  EditorWindowFactory& factory_;
  unsigned dpi_ = 96;
  Win32Window window_;
  Win32TextBox text1_, text2_;
  Surface title_, image3_, picture1_, label1_, label2_, label3_;
  FocusMemory<EditorBox> focus_{EditorBox::kText1};
  // The close picture and OK, pressed and released like buttons.
  ClickTracker clicks_;
  SelectionDrag text2_drag_{::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG)};
  // Last, so that they go first, while the window still exists.
  ControlSubclass text2_hook_;
  DropTargetRegistration text2_drop_;
};

// Makes the editor's windows for Form2 and keeps track of the living ones for
// the message loop's key preview.
class EditorWindowFactory final : public Form2ViewFactory {
 public:
  explicit EditorWindowFactory(const Screen& screen) : screen_(screen) {}
  // The form whose handlers the windows call; set before the first Create.
  void set_form(Form2& form) { form_ = &form; }
  std::unique_ptr<Form2View> Create(std::wstring& why) override;

  // Offers the message to every living editor window's key preview.
  bool PreTranslate(const MSG& msg);

 private:
  friend class EditorWindow;
  const Screen& screen_;
  Form2* form_ = nullptr;
  std::vector<EditorWindow*> living_;
};

}  // namespace quillet
