#pragma once

#include "platform/twips.h"
#include "platform/window.h"

namespace quillet {

// A font of a window's controls. A face that isn't installed gets the
// system's default GUI face at the same size.
struct ControlFont {
  const wchar_t* face;
  float points;
  bool bold;
  bool gb2312;  // made for the GB2312 character set rather than the default one
};

// A control has no font of its own.
inline constexpr int kNoFont = -1;

// One control of a window's layout table, in twips. `Id` names the window's controls.
template <class Id>
struct ControlLayout {
  Id id;
  bool in_panel;  // a child of the window's panel (the title strip, Picture1), placed relative to it
  float left, top, width, height;
  const wchar_t* caption;
  int font;  // its index in the window's font table, or kNoFont
};

// Where a control lies at `dpi`, in pixels relative to its parent: each of
// the four figures rounded from its twips, so a control keeps its size in
// pixels wherever it lies.
template <class Id>
PixelRect ControlPixels(const ControlLayout<Id>& control, unsigned dpi) {
  const int x = TwipsToPixels(control.left, dpi), y = TwipsToPixels(control.top, dpi);
  return {x, y, x + TwipsToPixels(control.width, dpi), y + TwipsToPixels(control.height, dpi)};
}

}  // namespace quillet
