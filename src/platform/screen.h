#pragma once

#include "platform/window.h"

namespace quillet {

// A monitor: its bounds in screen pixels and the DPI that sizes windows on it.
struct Monitor {
  PixelRect bounds;
  unsigned dpi = 96;
};

// The screen: the primary monitor, the outer edges of the whole desktop (every
// monitor) in pixels, and the mouse pointer.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual Monitor Primary() const = 0;
  virtual PixelRect Desktop() const = 0;
  // False when the system could not tell; `point` is then left as it was.
  virtual bool CursorPos(PixelPoint& point) const = 0;
};

}  // namespace quillet
