#include "ui/drag_gesture.h"

#include <cstdlib>

namespace quillet {

void DragGesture::Press(MouseButton button, PixelPoint at, int item) {
  pressed_ |= Bit(button);
  if (button != MouseButton::kLeft) return;
  armed_ = item >= 0;
  item_ = item;
  from_ = at;
}

DragGesture::Move DragGesture::Moved(PixelPoint at, bool left_held) {
  if (!armed_) return {};
  if (!left_held) {
    armed_ = false;
    return {};
  }
  if (std::abs(at.x - from_.x) <= slop_x_ && std::abs(at.y - from_.y) <= slop_y_) return {true, -1};
  // Out of the rectangle: the drag takes the mouse, and its release is the
  // drop, not a click.
  armed_ = false;
  pressed_ &= ~Bit(MouseButton::kLeft);
  return {true, item_};
}

bool DragGesture::Release(MouseButton button) {
  const bool pressed = (pressed_ & Bit(button)) != 0;
  pressed_ &= ~Bit(button);
  if (button == MouseButton::kLeft) armed_ = false;
  return pressed;
}

}  // namespace quillet
