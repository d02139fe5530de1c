#pragma once

#include "ui/keys.h"

namespace quillet {

// The editor's two boxes, as far as the keyboard goes between them.
enum class EditorBox { kText1, kText2, kOther };

struct EditorKeyAction {
  bool focus_other_box = false;  // Tab, Shift+Tab: to the other box
  bool consumed = false;         // the box does not get the key
};

// Tab goes between the boxes; Enter and Escape do nothing in the editor
// (the characters they type are kept from the boxes, which would beep).
inline EditorKeyAction RouteEditorKey(const KeyPress& key) {
  if (key.key == kKeyTab && !key.ctrl && !key.alt) return {true, true};
  return {};
}

inline bool EditorSwallowsChar(wchar_t c) { return IsBeepingLineBreak(c) || c == static_cast<wchar_t>(kKeyEscape); }

inline EditorBox OtherBox(EditorBox focused) {
  return focused == EditorBox::kText1 ? EditorBox::kText2 : EditorBox::kText1;
}

}  // namespace quillet
