#include "ui/main/dock.h"

#include <algorithm>

#include "platform/twips.h"

namespace quillet {
namespace {

using Edge = DockMove::Edge;

long long Overlap(const PixelRect& a, const PixelRect& b) {
  const long long w = static_cast<long long>(std::min(a.right, b.right)) - std::max(a.left, b.left);
  const long long h = static_cast<long long>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// The monitor the window is on: the one that shows most of it. A window
// docks only where no other monitor lies beyond the edge, so a docked window
// shows nothing but its sliver, on the monitor it docked at, and the choice
// holds from the dock to the restore and back. An empty rectangle (a failed
// read) is on the monitor at its corner, else the primary. Null: no monitor
// shows any of the window.
const Monitor* MonitorOf(const DockInputs& in) {
  const PixelRect& r = in.rect;
  if (r.right <= r.left || r.bottom <= r.top) {
    for (const Monitor& m : in.monitors) {
      const PixelRect& b = m.bounds;
      if (b.left <= r.left && r.left < b.right && b.top <= r.top && r.top < b.bottom) return &m;
    }
    return &in.monitors.front();
  }
  const Monitor* most = nullptr;
  long long shown = 0;
  for (const Monitor& m : in.monitors) {
    const long long area = Overlap(r, m.bounds);
    if (area > shown) shown = area, most = &m;
  }
  return most;
}

// The monitor's edges the window may lie beyond: no monitor shows any of the
// place a window docked there would take.
struct OpenEdges {
  bool top, left, right;
};

OpenEdges OpenEdgesOf(const DockInputs& in, const PixelRect& m) {
  const PixelRect& r = in.rect;
  const int w = r.right - r.left, h = r.bottom - r.top;
  const auto open = [&in](const PixelRect& beyond) {
    return std::none_of(in.monitors.begin(), in.monitors.end(),
                        [&beyond](const Monitor& other) { return Overlap(beyond, other.bounds) > 0; });
  };
  return {open({r.left, m.top - h, r.right, m.top}), open({m.left - w, r.top, m.left, r.bottom}),
          open({m.right, r.top, m.right + w, r.bottom})};
}

// Behind the edge, not shown.
DockMove Dock(Edge edge, float value) {
  DockMove move;
  move.edge = edge, move.value = value;
  return move;
}

// The middle of the primary monitor, its top-left corner on it.
DockMove ToPrimary(const DockInputs& in) {
  const PixelRect& p = in.monitors.front().bounds;
  const int w = in.rect.right - in.rect.left, h = in.rect.bottom - in.rect.top;
  DockMove move{Edge::kToPrimary, 0, {}, true, true};
  move.at = {p.left + std::max(0, (p.right - p.left - w + 1) / 2), p.top + std::max(0, (p.bottom - p.top - h + 1) / 2)};
  return move;
}

DockMove Restore(const DockInputs& in, const PixelRect& m, const OpenEdges& open) {
  const float monitor_left = PixelsToTwips(m.left, in.dpi);
  const float monitor_top = PixelsToTwips(m.top, in.dpi);
  const float right_edge = PixelsToTwips(m.right, in.dpi);
  const auto back = [&in](Edge edge, float from, float to) {
    // Only a move of a whole pixel brings it back; the ticks that keep it
    // where it is leave the stacking alone (an open menu stays above it).
    return DockMove{edge, to, {}, true, TwipsToPixels(from, in.dpi) != TwipsToPixels(to, in.dpi)};
  };
  if (open.top && in.top < monitor_top) return back(Edge::kTop, in.top, monitor_top - kOverhangTwips);
  if (open.left && in.left < monitor_left) return back(Edge::kLeft, in.left, monitor_left - kOverhangTwips);
  if (open.right && in.left + in.width >= right_edge)
    return back(Edge::kLeft, in.left, right_edge - in.width + kOverhangTwips);
  return {};
}

}  // namespace

DockMove DockRestore(const DockInputs& in) {
  if (in.state == WindowState::kMinimized || in.monitors.empty()) return {};
  const Monitor* on = MonitorOf(in);
  if (on == nullptr) return ToPrimary(in);
  return Restore(in, on->bounds, OpenEdgesOf(in, on->bounds));
}

DockMove DockTick(const DockInputs& in) {
  if (in.state == WindowState::kMinimized || in.monitors.empty()) return {};
  const Monitor* on = MonitorOf(in);
  if (on == nullptr) return ToPrimary(in);
  const PixelPoint& p = in.pointer;
  const PixelRect& r = in.rect;
  const PixelRect& m = on->bounds;
  const OpenEdges open = OpenEdgesOf(in, m);
  // The monitor in the window's own twips (single precision, like every twips value).
  const float monitor_left = PixelsToTwips(m.left, in.dpi);
  const float monitor_top = PixelsToTwips(m.top, in.dpi);
  const float right_edge = PixelsToTwips(m.right, in.dpi);

  const bool over = r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom;
  if (over) return Restore(in, m, open);
  if (in.summoned && in.active) return {};
  if (open.top && r.top <= m.top + kEdgeZonePixels) return Dock(Edge::kTop, monitor_top + kSliverTwips - in.height);
  if (open.left && r.left <= m.left + kEdgeZonePixels) return Dock(Edge::kLeft, monitor_left + kSliverTwips - in.width);
  if (open.right && right_edge - kEdgeZoneTwips <= in.left + in.width)
    return Dock(Edge::kLeft, right_edge - kSliverTwips);
  return {};
}

}  // namespace quillet
