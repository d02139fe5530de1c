#pragma once

#include <cstdint>

namespace quillet {

// The colours of both windows' designs.
struct Rgb {
  std::uint8_t r, g, b;
};
inline constexpr Rgb kStripBlue{14, 151, 231};     // title strips, the editor's ground, OK
inline constexpr Rgb kListYellow{255, 255, 0};     // the main window's list
inline constexpr Rgb kPanelYellow{255, 255, 128};  // the editor's panel
inline constexpr Rgb kWhite{255, 255, 255};        // captions on blue, the pictures' ink
inline constexpr Rgb kBlack{0, 0, 0};

}  // namespace quillet
