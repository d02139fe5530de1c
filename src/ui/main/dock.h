#pragma once

#include "platform/screen.h"
#include "platform/window.h"

namespace quillet {

struct DockInputs {
  PixelPoint pointer;  // zeros when it could not be read
  PixelRect rect;      // the window's outer rectangle; zeros when it could not be read
  WindowState state = WindowState::kNormal;
  float left = 0, top = 0, width = 0, height = 0;  // the window, in twips at its own DPI
  unsigned dpi = 96;                               // the window's DPI
  // The window docks only behind an outer edge of the whole desktop (every
  // monitor), in pixels; on one monitor that is the screen.
  PixelRect desktop;
  // Brought out by the summoning key and still the active window: it stays out.
  bool summoned = false;
  bool active = false;
};

// The decision of one tick: nothing, or one new Top or Left (twips), and
// whether the window is then shown.
struct DockMove {
  enum class Edge { kNone, kTop, kLeft } edge = Edge::kNone;
  float value = 0;
  bool show = false;
};

inline constexpr int kEdgeZonePixels = 4;      // top and left
inline constexpr float kEdgeZoneTwips = 4.0f;  // right
inline constexpr float kSliverTwips = 40.0f;   // what a docked window leaves on screen
inline constexpr float kOverhangTwips = 10.0f;

// With the pointer over the window it comes back from behind the top, left or
// right edge it lies beyond; with the pointer away it docks behind the edge it
// lies at. Rules are tried top, left, right; a minimised window never moves.
// Every twips value, the desktop's included, is measured at the window's own
// DPI, so monitors at different scales can't make it jump back and forth.
DockMove DockTick(const DockInputs& in);

// What the tick does with the pointer over the window: back from behind the
// edge it lies beyond, and shown.
DockMove DockRestore(const DockInputs& in);

}  // namespace quillet
