#pragma once

#include <utility>

namespace quillet {

// Pictures and labels that act as buttons follow the system's rule for
// buttons: the press captures the mouse, and a click is a press and a release
// on the same control. One tracker serves all such controls of a window.
//
// A double-click arrives as press, release, second press (the system's
// double-click message), release: it is one click, then one double-click,
// which none of these controls acts on. The second press captures the mouse
// like the first, but its release clicks nothing. Where the first click's
// action took the activation away (a message box), the second press is a
// click of its own: the user answered and clicked again.
class ClickTracker {
 public:
  static constexpr int kNowhere = -1;

  // The left button went down on `control`, `second` when the system reports
  // it as the second press of a double-click; the caller captures the mouse.
  void Press(int control, bool second = false) {
    pressed_ = second && control == clicked_ ? kNowhere : control;
    clicked_ = kNowhere;
  }

  // The left button came up over `under` (kNowhere when over none of the
  // window's button-like controls): the control clicked, or kNowhere.
  int Release(int under) {
    const int pressed = std::exchange(pressed_, kNowhere);
    clicked_ = pressed != kNowhere && pressed == under ? pressed : kNowhere;
    return clicked_;
  }

  // The capture went elsewhere (a menu, a message box, another window): the
  // press is forgotten, so no later release completes it.
  void CaptureLost() { pressed_ = kNowhere; }

  // The window lost the activation.
  void Deactivated() { clicked_ = kNowhere; }

 private:
  int pressed_ = kNowhere;
  int clicked_ = kNowhere;  // by the last release, if nothing came since
};

}  // namespace quillet
