#pragma once

#include <optional>

namespace quillet {

// A window gives the keyboard focus back to the control that had it when it
// lost the activation; a plain window doesn't, on Windows as under Wine.
template <class Control>
class FocusMemory {
 public:
  explicit FocusMemory(Control first) : last_(first) {}

  // The window lost the activation while `focused` had the focus (nothing:
  // none of the window's own controls had it, so the last one is kept).
  void Deactivated(std::optional<Control> focused) {
    if (focused) last_ = *focused;
  }

  // The control to focus when the window is activated again.
  Control Activated() const { return last_; }

 private:
  Control last_;
};

}  // namespace quillet
