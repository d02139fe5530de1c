#pragma once

#include "platform/screen.h"
#include "platform/twips.h"
#include "platform/window.h"

namespace quillet {

// A monitor's size in twips, measured at its own DPI: the scale in which a
// window on it measures itself. (The system's DPI at sign-in may differ.)
inline float WidthTwips(const Monitor& m) { return PixelsToTwips(m.bounds.right - m.bounds.left, m.dpi); }
inline float HeightTwips(const Monitor& m) { return PixelsToTwips(m.bounds.bottom - m.bounds.top, m.dpi); }

// The left and top, in twips of the monitor and from its corner, of a window
// of the designed size centred on it, in single precision.
struct CentredTwips {
  float left, top;
};
inline CentredTwips Centre(const Monitor& m, float width_twips, float height_twips) {
  return {WidthTwips(m) / 2.0f - width_twips / 2.0f, HeightTwips(m) / 2.0f - height_twips / 2.0f};
}

// Centres a window of the designed size on the primary monitor.
inline void CentreOnPrimary(Window& window, const Screen& screen, float width_twips, float height_twips) {
  const CentredTwips at = Centre(screen.Primary(), width_twips, height_twips);
  window.SetLeft(at.left);
  window.SetTop(at.top);
}

// Where a window of the designed size is created: sized at the DPI of the
// monitor it appears on and centred on it, as the start-up centres it.
inline PixelRect InitialWindowRect(const Monitor& m, float width_twips, float height_twips) {
  const CentredTwips at = Centre(m, width_twips, height_twips);
  const int x = m.bounds.left + TwipsToPixels(at.left, m.dpi);
  const int y = m.bounds.top + TwipsToPixels(at.top, m.dpi);
  return {x, y, x + TwipsToPixels(width_twips, m.dpi), y + TwipsToPixels(height_twips, m.dpi)};
}

}  // namespace quillet
