#pragma once

#include "platform/window.h"

namespace quillet {

// Mouse buttons as the handlers number them.
enum class MouseButton { kLeft = 1, kRight = 2, kMiddle = 4 };

// The mouse gestures of a drag source (the list, the editor's target box): a
// left press on an item that the pointer then carries out of the drag
// rectangle drags that item; otherwise a release of a button pressed on the
// control is a click of that button.
class DragGesture {
 public:
  // Half the width and height of the drag rectangle around the press.
  DragGesture(int slop_x, int slop_y) : slop_x_(slop_x), slop_y_(slop_y) {}

  // A button went down at `at`, on `item` (-1: on no item).
  void Press(MouseButton button, PixelPoint at, int item);

  struct Move {
    bool hold = false;   // within the drag rectangle: the press keeps its item, the control sees no move
    int drag_item = -1;  // >= 0: start dragging this item now
  };
  Move Moved(PixelPoint at, bool left_held);

  // A button came up: true when that is a click of a button pressed here,
  // not the end of a drag.
  bool Release(MouseButton button);

  // A left press on an item is waiting to become a drag.
  bool armed() const { return armed_; }

 private:
  static unsigned Bit(MouseButton b) { return static_cast<unsigned>(b); }

  int slop_x_, slop_y_;
  unsigned pressed_ = 0;  // buttons pressed on the list and not yet released
  bool armed_ = false;    // a left press on an item that may become a drag
  PixelPoint from_;
  int item_ = -1;
};

}  // namespace quillet
