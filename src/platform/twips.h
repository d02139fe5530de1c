#pragma once

#include <cmath>

namespace quillet {

// 1440 twips are one inch: 15 twips a pixel at 96 DPI. Twips become whole
// pixels by rounding to the nearest (halves away from zero), so a window
// centred at 10552.5 twips lands on pixel 704 at 96 DPI.
inline constexpr float kTwipsPerInch = 1440.0f;

inline int TwipsToPixels(float twips, unsigned dpi) {
  return static_cast<int>(std::lround(twips * static_cast<float>(dpi) / kTwipsPerInch));
}

inline float PixelsToTwips(int pixels, unsigned dpi) {
  return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

}  // namespace quillet
