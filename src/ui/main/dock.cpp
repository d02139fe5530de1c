#include "ui/main/dock.h"

#include "platform/twips.h"

namespace quillet {

DockMove DockRestore(const DockInputs& in) {
  if (in.state == WindowState::kMinimized) return {};
  const PixelRect& d = in.desktop;
  const float desktop_left = PixelsToTwips(d.left, in.dpi);
  const float desktop_top = PixelsToTwips(d.top, in.dpi);
  const float right_edge = PixelsToTwips(d.right, in.dpi);
  using Edge = DockMove::Edge;
  if (in.top < desktop_top) return {Edge::kTop, desktop_top - kOverhangTwips, true};
  if (in.left < desktop_left) return {Edge::kLeft, desktop_left - kOverhangTwips, true};
  if (in.left + in.width >= right_edge) return {Edge::kLeft, right_edge - in.width + kOverhangTwips, true};
  return {};
}

DockMove DockTick(const DockInputs& in) {
  if (in.state == WindowState::kMinimized) return {};
  const PixelPoint& p = in.pointer;
  const PixelRect& r = in.rect;
  const PixelRect& d = in.desktop;
  // The desktop in the window's own twips (single precision, like every twips value).
  const float desktop_left = PixelsToTwips(d.left, in.dpi);
  const float desktop_top = PixelsToTwips(d.top, in.dpi);
  const float right_edge = PixelsToTwips(d.right, in.dpi);
  const float window_right = in.left + in.width;
  using Edge = DockMove::Edge;

  const bool over = r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom;
  if (over) return DockRestore(in);
  if (in.summoned && in.active) return {};
  if (r.top <= d.top + kEdgeZonePixels) return {Edge::kTop, desktop_top + kSliverTwips - in.height, false};
  if (r.left <= d.left + kEdgeZonePixels) return {Edge::kLeft, desktop_left + kSliverTwips - in.width, false};
  if (right_edge - kEdgeZoneTwips <= window_right) return {Edge::kLeft, right_edge - kSliverTwips, false};
  return {};
}

}  // namespace quillet
