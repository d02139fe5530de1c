#pragma once

#include <string>

#include "platform/text_box.h"
#include "platform/window.h"

namespace quillet {

// The entry editor as the other windows use it.
class EditorForm {
 public:
  virtual ~EditorForm() = default;
  // Shows the editor, modeless: created afresh (empty, centred, topmost) when
  // it isn't open, otherwise brought forward as it is. False when its window
  // could not be made: the main window is then shown again and a message
  // names the error.
  virtual bool Show() = 0;
  // Its keyword and target boxes; only while it is open.
  virtual TextBox& Text1() = 0;
  virtual TextBox& Text2() = 0;
};

// The entry menu as the main window's list uses it.
class MenuForm {
 public:
  virtual ~MenuForm() = default;
  // Pops the menu up at the pointer (creating its window at first use) and
  // runs the chosen command before it returns.
  virtual void PopupList2you() = 0;
  // The same, opened by the keyboard at a screen point.
  virtual void PopupList2youAt(PixelPoint at) = 0;
};

}  // namespace quillet
