#pragma once

#include <vector>

#include "platform/window.h"

namespace quillet {

// A monitor: its bounds in screen pixels and the DPI that sizes windows on it.
struct Monitor {
  PixelRect bounds;
  unsigned dpi = 96;
};

// The screen: its monitors and the mouse pointer.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual Monitor Primary() const = 0;
  // Every monitor as it is now, the primary first; at least the primary.
  virtual std::vector<Monitor> Monitors() const = 0;
  // False when the system could not tell; `point` is then left as it was.
  virtual bool CursorPos(PixelPoint& point) const = 0;
};

}  // namespace quillet
