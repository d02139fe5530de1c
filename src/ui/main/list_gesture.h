#pragma once

#include "platform/list_box.h"
#include "platform/window.h"

namespace quillet {

// Mouse buttons as the list's handlers number them.
enum class MouseButton { kLeft = 1, kRight = 2, kMiddle = 4 };

// The item under a point of the list's client area, -1 when the point lies
// outside the area or below the last item. Full-size: a list of any length.
int ItemAtPoint(PixelPoint at, int client_width, int client_height, int top_index, int item_height, int count);

// The list's mouse gestures: a left press on an item that the pointer then
// carries out of the drag rectangle drags that item; otherwise a release of a
// button pressed on the list is a click of that button.
class ListGesture {
 public:
  // Half the width and height of the drag rectangle around the press.
  ListGesture(int slop_x, int slop_y) : slop_x_(slop_x), slop_y_(slop_y) {}

  // A button went down at `at`, on `item` (-1: on no item). The list box
  // still gets the press (it selects the item).
  void Press(MouseButton button, PixelPoint at, int item);

  struct Move {
    bool hold = false;   // within the drag rectangle: the press keeps its item, the list box sees no move
    int drag_item = -1;  // >= 0: start dragging this item now
  };
  Move Moved(PixelPoint at, bool left_held);

  // A button came up: true when that is a click (List1_MouseUp follows, after
  // the list box has seen the release).
  bool Release(MouseButton button);

 private:
  static unsigned Bit(MouseButton b) { return static_cast<unsigned>(b); }

  int slop_x_, slop_y_;
  unsigned pressed_ = 0;  // buttons pressed on the list and not yet released
  bool armed_ = false;    // a left press on an item that may become a drag
  bool dragged_ = false;  // the left press became a drag: its release is no click
  PixelPoint from_;
  int item_ = -1;
};

}  // namespace quillet
