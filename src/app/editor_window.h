#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/form_window.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/subclass.h"
#include "platform/win32/surface.h"
#include "platform/win32/win32_controls.h"
#include "ui/click_tracker.h"
#include "ui/edit/editor_keys.h"
#include "ui/edit/form2.h"
#include "ui/edit/form2_layout.h"
#include "ui/edit/selection_drag.h"

namespace quillet {

class EditorWindowFactory;

// One opening of the entry editor: a borderless tool window, created hidden,
// built from its layout table; its messages become Form2's handler calls.
class EditorWindow final : public FormWindow<Form2Control, EditorBox>, public Form2View {
 public:
  explicit EditorWindow(EditorWindowFactory& factory);
  ~EditorWindow() override;

  // Creates the window and its controls, hidden; false on failure, with the
  // system's message in `why`.
  bool Create(std::wstring& why);

  Window& window() override { return window_; }
  TextBox& Text1() override { return text1_; }
  TextBox& Text2() override { return text2_; }

  // The key preview (PreTranslate): Tab and Shift+Tab go round the two boxes
  // and OK; Space presses a focused OK; Enter and Escape do nothing in the boxes.

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  HWND CreateControl(const ControlLayout<Form2Control>& row, HWND parent, const RECT& r) override;
  std::optional<EditorBox> FocusedStop() const override;
  HWND StopHwnd(EditorBox box) const override;
  bool OnKeyDown(const KeyPress& key) override;
  bool OnKeyUp(int key) override;
  bool OnChar(wchar_t c, HWND target) override;
  HWND CreateEdit(HWND parent, const RECT& r, UINT_PTR id);
  std::function<void(HDC, const RECT&)> LabelPainter(const ControlLayout<Form2Control>& row, COLORREF background,
                                                     COLORREF ink, UINT align);
  // Text2's own messages, ahead of the edit control: its selection is a drag source.
  LRESULT OnText2Message(UINT message, WPARAM wparam, LPARAM lparam);
  Form2& form();
  // The stop with the focus, kOther for none, as the key routing takes it.
  EditorBox FocusedBox() const { return FocusedStop().value_or(EditorBox::kOther); }

  EditorWindowFactory& factory_;
  Win32Window window_;
  Win32TextBox text1_, text2_;
  Surface title_, image3_, picture1_, label1_, label2_, label3_;
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
  // The window of a living editor's Window; nullptr for any other.
  HWND HwndOf(const Window& window) const;

 private:
  friend class EditorWindow;
  const Screen& screen_;
  Form2* form_ = nullptr;
  std::vector<EditorWindow*> living_;
};

}  // namespace quillet
