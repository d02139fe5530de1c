#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "app/form_window.h"
#include "app/startup_marks.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/gdi.h"
#include "platform/win32/handles.h"
#include "platform/win32/subclass.h"
#include "platform/win32/surface.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_list_box.h"
#include "ui/click_tracker.h"
#include "ui/drag_gesture.h"
#include "ui/main/form1.h"
#include "ui/main/form1_layout.h"
#include "ui/main/summon.h"

namespace quillet {

// What the main window and its controls paint with. A base class of the
// window, ahead of the window base, so that it outlives the window, which
// the base destroys.
struct MainWindowPaint {
  Brush blue_, yellow_;
  std::wstring text1_tip_;  // the tool tip keeps a pointer to it
};

// The real Form1: a borderless, topmost tool window (no task-bar button) built
// from the layout table, whose messages become Form1's handler calls.
class MainWindow final : private MainWindowPaint, public FormWindow<Form1Control, Form1Control> {
 public:
  struct Services {
    Screen& screen;
    Shell& shell;
    const Environment& env;
    MessageBoxes& messages;
    Win32Application& app;
    EntryFile& file;
    SharedState& state;
  };
  explicit MainWindow(const Services& services);

  // Creates the window and its controls, hidden; false on failure. Each step
  // is marked for the benchmark (see startup_marks.h).
  bool Create();
  // What the first sight of the window needn't wait for: the controls not
  // on screen (the list buttons), the tool tips, the summoning key, the list as a
  // drop target (OLE must be initialised) and the names of its items.
  void FinishAfterShown(const SummonSetting& summon);
  Form1& form() { return *form_; }
  // The controls the editor and the entry menu work on.
  Window& window() { return window_; }
  EntryList& items() { return items_; }
  TextBox& text1() { return text1_; }

  // The key preview (PreTranslate): Enter anywhere in the window runs the
  // lookup and still reaches its control (a focused button is pressed); Tab
  // and Shift+Tab go round the tab order.

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  HWND CreateControl(const Form1Layout& row, HWND parent, const RECT& r) override;
  std::optional<Form1Control> FocusedStop() const override;
  HWND StopHwnd(Form1Control id) const override { return ControlHwnd(id); }
  bool OnKeyDown(const KeyPress& key) override;
  bool OnChar(wchar_t c, HWND target) override;
  void Relaid() override { SetListItemHeight(); }
  void SetListItemHeight();
  void AddToolTip(HWND tool, const wchar_t* text);
  void OnCommand(int id);
  // List1's own messages, ahead of the list box: its button releases and the
  // drag of an item.
  LRESULT OnListMessage(UINT message, WPARAM wparam, LPARAM lparam);

  Services services_;
  Win32Window window_;
  Win32ListBox list_;
  EntryList items_{list_};
  Win32TextBox text1_;
  Surface strip_, title_, image1_, image3_;
  HWND tooltip_ = nullptr;
  std::unique_ptr<Form1> form_;
  // The house and the close icon, pressed and released like buttons.
  ClickTracker clicks_;
  // Presses, drags and clicks on the list.
  DragGesture list_gesture_{::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG)};
  // Last, so that they go first, while the window and the form still exist.
  HotKeyRegistration summon_key_;
  ControlSubclass list_hook_;
  DropTargetRegistration list_drop_;
};

}  // namespace quillet
