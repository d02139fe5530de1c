#pragma once

#include "platform/window.h"

namespace quillet {

// Moves a frameless window with the pointer while the left button is held
// (nothing happens when it isn't); a maximised window stays put.
inline void DragWindow(Window& window) {
  if (window.State() == WindowState::kMaximized) return;
  window.BeginSystemDrag();
}

}  // namespace quillet
