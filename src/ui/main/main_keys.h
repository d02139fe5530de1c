#pragma once

#include <optional>

#include "ui/keys.h"
#include "ui/main/form1_layout.h"

namespace quillet {

// What the main window does with a key before the focused control sees it
// (its key preview).
struct MainKeyAction {
  bool key_down = false;              // Form_KeyDown runs (Enter: the lookup)
  int press_command = 0;              // 1..4: the focused list button is pressed by Enter
  std::optional<Form1Control> focus;  // Tab and Shift+Tab go round the tab order
  bool open_menu = false;             // the context-menu key or Shift+F10 on the list: the entry menu
  bool consumed = false;              // the focused control does not get the key
};

// `focused` is the control with the focus, nothing when it is none of the
// tab order's.
MainKeyAction RouteMainKey(const KeyPress& key, std::optional<Form1Control> focused);

// The next control in the tab order from `from` (the keyword box when the
// focus is elsewhere).
Form1Control NextInTabOrder(std::optional<Form1Control> from, bool backwards);

}  // namespace quillet
