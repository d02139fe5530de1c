#pragma once

#include "ui/drag_gesture.h"

namespace quillet {

// Dragging the selected text out of a text box (the editor's target box). A
// left press inside the selection is ours: the box must not see it, since it
// would drop the selection. Carried out of the drag rectangle it drags the
// selection; released without that, it is a click, and the caret goes where
// the press was.
class SelectionDrag {
 public:
  SelectionDrag(int slop_x, int slop_y) : gesture_(slop_x, slop_y) {}

  // A left press at `at` on character `hit`, the selection running from
  // `start` to `end`: true when the press is ours.
  bool Press(PixelPoint at, int start, int end, int hit) {
    const bool inside = start < end && start <= hit && hit < end;
    gesture_.Press(MouseButton::kLeft, at, inside ? 0 : -1);
    hit_ = hit;
    return inside;
  }

  // A move: `drag` when the selection is to be dragged now; `hold` when the
  // box must not see the move.
  struct Move {
    bool hold = false;
    bool drag = false;
  };
  Move Moved(PixelPoint at, bool left_held) {
    const bool ours = gesture_.armed();
    const DragGesture::Move move = gesture_.Moved(at, left_held);
    return {ours && move.hold, move.drag_item == 0};
  }

  // The left button came up: the character to put the caret before, when
  // the press was ours and dragged nothing; -1 otherwise.
  int Release() {
    const bool ours = gesture_.armed();
    return gesture_.Release(MouseButton::kLeft) && ours ? hit_ : -1;
  }

  bool ours() const { return gesture_.armed(); }

 private:
  DragGesture gesture_;
  int hit_ = -1;
};

}  // namespace quillet
