#pragma once

#include <vector>

#include "platform/screen.h"
#include "platform/window.h"

namespace quillet {

struct DockInputs {
  PixelPoint pointer;  // zeros when it could not be read
  PixelRect rect;      // the window's outer rectangle; zeros when it could not be read
  WindowState state = WindowState::kNormal;
  float left = 0, top = 0, width = 0, height = 0;  // the window, in twips at its own DPI
  unsigned dpi = 96;                               // the window's DPI
  // Every monitor, the primary first. The window docks behind an edge of the
  // monitor it is on, where no other monitor lies beyond that edge.
  std::vector<Monitor> monitors;
  // Brought out by the summoning key and still the active window: it stays out.
  bool summoned = false;
  bool active = false;
};

// The decision of one tick: nothing, one new Top or Left (twips), or, for a
// window left on no monitor, a new top-left corner (pixels) on the primary.
struct DockMove {
  enum class Edge { kNone, kTop, kLeft, kToPrimary } edge = Edge::kNone;
  float value = 0;
  PixelPoint at;  // kToPrimary only
  bool show = false;
  // It comes back from behind an edge or from nowhere: it goes above every
  // other topmost window again (a task bar on that side).
  bool raise = false;
};

inline constexpr int kEdgeZonePixels = 4;      // top and left
inline constexpr float kEdgeZoneTwips = 4.0f;  // right
inline constexpr float kSliverTwips = 40.0f;   // what a docked window leaves on screen
inline constexpr float kOverhangTwips = 10.0f;

// With the pointer over the window it comes back from behind the top, left or
// right edge it lies beyond; with the pointer away it docks behind the edge it
// lies at. Rules are tried top, left, right; a minimised window never moves.
// Every twips value, the monitor's included, is measured at the window's own
// DPI, so monitors at different scales can't make it jump back and forth.
// A window that no monitor shows any more goes to the middle of the primary.
DockMove DockTick(const DockInputs& in);

// What the tick does with the pointer over the window: back from behind the
// edge it lies beyond, and shown; or back on the primary.
DockMove DockRestore(const DockInputs& in);

}  // namespace quillet
