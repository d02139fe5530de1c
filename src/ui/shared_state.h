#pragma once

namespace quillet {

// The three integers the windows share. Full-size, so that indices reach
// every item of a large list.
struct SharedState {
  // Index of the list item selected at the last left-button release over the
  // list, -1 when none was.
  int SelectedIndex = 0;
  // 1: the list must be written to the entry file when the program closes.
  int DataChanged = 0;
  // 1: the editor's OK replaces the item it was opened on (see
  // EntryList::Followed); 0: it adds at the top.
  int EditMode = 0;
};

}  // namespace quillet
