#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <vector>

#include "platform/screen.h"
#include "platform/win32/gdi.h"
#include "platform/win32/message_target.h"
#include "ui/focus_memory.h"
#include "ui/keys.h"
#include "ui/layout.h"

namespace quillet {

// The fonts of a window's controls, by their index in its font table. A base
// class of the window, ahead of MessageTarget, so that they outlive the
// window, which MessageTarget destroys.
struct FormFonts {
  std::vector<Font> fonts_;
};

// What the program's windows do alike. The window and its controls come from
// a layout table in twips, at the DPI of the monitor they appear on, and are
// laid out again, fonts and all, when the system says the DPI changed. Each
// control's font is the one its row names by index. On activation the focus
// goes back to the control that had it. Keys reach the window's own routing
// before the focused control sees them. `Id` names the controls of the
// layout table; `Stop` the places the keyboard focus stops at.
template <class Id, class Stop>
class FormWindow : private FormFonts, public MessageTarget {
 public:
  // The key preview, called for every message of the thread before it is
  // dispatched: keys and characters for this window or its controls go to
  // OnKeyDown, OnKeyUp and OnChar. Returns true when the message is used up.
  bool PreTranslate(const MSG& msg);

 protected:
  struct Design {
    std::span<const ControlLayout<Id>> layout;
    std::span<const ControlFont> fonts;
    Id panel;  // the control whose children are the rows `in_panel`
    float width, height;
    Stop first_stop;  // where the focus goes at the first activation
  };
  explicit FormWindow(const Design& design) : design_(design), focus_(design.first_stop) {}

  // Creates the window, hidden, sized in twips at the DPI of `monitor` and
  // centred on it (and resized if the system gives it another DPI);
  // nullptr on failure.
  HWND CreateFrame(WindowParams params, const Monitor& monitor);
  // Creates the rows that `wanted` picks (every row without it), in the
  // table's order, through CreateControl, and gives them their fonts.
  void CreateControls(bool (*wanted)(const ControlLayout<Id>&) = nullptr);
  // The control made for a row; nullptr before or when it failed.
  HWND ControlHwnd(Id id) const;
  HFONT FontAt(int index);
  unsigned dpi() const { return dpi_; }

  // Makes the control of one row at `pixels` in `parent` (the window, or the panel).
  virtual HWND CreateControl(const ControlLayout<Id>& row, HWND parent, const RECT& pixels) = 0;
  // The stop that has the focus now; nothing when none of the window's has it.
  virtual std::optional<Stop> FocusedStop() const = 0;
  virtual HWND StopHwnd(Stop stop) const = 0;
  // The preview's calls; each returns true when the message is used up.
  virtual bool OnKeyDown(const KeyPress& key) = 0;
  virtual bool OnKeyUp(int /*key*/) { return false; }
  virtual bool OnChar(wchar_t c, HWND target) = 0;
  // After the controls were laid out at a new DPI.
  virtual void Relaid() {}

  // WM_ACTIVATE and WM_DPICHANGED; the rest goes to DefWindowProc. A derived
  // window's OnMessage passes on what it leaves.
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  RECT RowRect(const ControlLayout<Id>& row) const;
  // The window moved to a monitor of another DPI: the same twips at the new
  // DPI, fonts made anew, in the place the system suggests.
  void OnDpiChanged(unsigned dpi, const RECT& suggested);

  Design design_;
  unsigned dpi_ = 96;
  std::vector<HWND> controls_;  // by row
  FocusMemory<Stop> focus_;
};

}  // namespace quillet
