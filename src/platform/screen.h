#pragma once

#include "platform/window.h"

namespace quillet {

// The outer edges of the whole desktop (every monitor): left and top in
// pixels and in twips, and its width in twips.
struct DesktopBounds {
  int left_px = 0;
  int top_px = 0;
  float left = 0;
  float top = 0;
  float width = 0;
};

// The screen: the primary monitor's size in twips, the whole desktop, and the
// mouse pointer.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual float WidthTwips() const = 0;
  virtual float HeightTwips() const = 0;
  virtual DesktopBounds Desktop() const = 0;
  // False when the system could not tell; `point` is then left as it was.
  virtual bool CursorPos(PixelPoint& point) const = 0;
};

}  // namespace quillet
