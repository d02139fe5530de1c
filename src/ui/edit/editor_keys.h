#pragma once

#include <optional>

#include "ui/keys.h"

namespace quillet {

// Where the keyboard stops in the editor: its two boxes and OK (Label3), in
// this tab order; kOther is anything else.
enum class EditorBox { kText1, kText2, kLabel3, kOther };

struct EditorKeyAction {
  std::optional<EditorBox> focus;  // Tab, Shift+Tab: the next stop
  bool press_ok = false;           // Space on OK presses it; it clicks when Space comes up
  bool consumed = false;           // the focused control does not get the key
};

inline EditorBox NextEditorStop(EditorBox from, bool backwards) {
  switch (from) {
    case EditorBox::kText1: return backwards ? EditorBox::kLabel3 : EditorBox::kText2;
    case EditorBox::kText2: return backwards ? EditorBox::kText1 : EditorBox::kLabel3;
    case EditorBox::kLabel3: return backwards ? EditorBox::kText2 : EditorBox::kText1;
    default: return EditorBox::kText1;
  }
}

// Tab goes round the boxes and OK; Space presses a focused OK as it would a
// button. Enter and Escape do nothing in the editor (the characters they
// type are kept from the boxes, which would beep).
inline EditorKeyAction RouteEditorKey(const KeyPress& key, EditorBox focused) {
  if (key.ctrl || key.alt) return {};
  if (key.key == kKeyTab) return {NextEditorStop(focused, key.shift), false, true};
  if (key.key == kKeySpace && focused == EditorBox::kLabel3) return {std::nullopt, true, true};
  return {};
}

// A key coming up on OK: Space releases the press its going down made.
inline bool EditorKeyUpReleasesOk(int key, EditorBox focused) {
  return key == kKeySpace && focused == EditorBox::kLabel3;
}

inline bool EditorSwallowsChar(wchar_t c) { return IsBeepingLineBreak(c) || c == static_cast<wchar_t>(kKeyEscape); }

}  // namespace quillet
