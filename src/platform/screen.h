#pragma once

#include "platform/window.h"

namespace quillet {

// The desktop: its size in twips and the mouse pointer.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual float WidthTwips() const = 0;
  virtual float HeightTwips() const = 0;
  // False when the system could not tell; `point` is then left as it was.
  virtual bool CursorPos(PixelPoint& point) const = 0;
};

}  // namespace quillet
