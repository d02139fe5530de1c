#include "ui/main/dock.h"

namespace quillet {

DockMove DockTick(const DockInputs& in) {
  if (in.state == WindowState::kMinimized) return {};
  const PixelPoint& p = in.pointer;
  const PixelRect& r = in.rect;
  const DesktopBounds& d = in.desktop;
  const float right_edge = d.left + d.width;  // single precision, like every twips value
  const float window_right = in.left + in.width;
  using Edge = DockMove::Edge;

  const bool over = r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom;
  if (over) {
    if (in.top < d.top) return {Edge::kTop, d.top - kOverhangTwips, true};
    if (in.left < d.left) return {Edge::kLeft, d.left - kOverhangTwips, true};
    if (window_right >= right_edge) return {Edge::kLeft, right_edge - in.width + kOverhangTwips, true};
    return {};
  }
  if (r.top <= d.top_px + kEdgeZonePixels) return {Edge::kTop, d.top + kSliverTwips - in.height, false};
  if (r.left <= d.left_px + kEdgeZonePixels) return {Edge::kLeft, d.left + kSliverTwips - in.width, false};
  if (right_edge - kEdgeZoneTwips <= window_right) return {Edge::kLeft, right_edge - kSliverTwips, false};
  return {};
}

}  // namespace quillet
