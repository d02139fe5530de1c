#pragma once

#include <functional>
#include <utility>

#include "platform/win32/surface.h"
#include "ui/click_tracker.h"

namespace quillet {

// The events of a picture or label that acts as button `id` of a window
// whose button-like controls share `clicks`.
inline Surface::Events Clickable(ClickTracker& clicks, int id, std::function<void(HDC, const RECT&)> paint,
                                 std::function<void()> click) {
  Surface::Events events;
  events.paint = std::move(paint);
  events.press = [&clicks, id](bool second) { clicks.Press(id, second); };
  events.release = [&clicks, id](bool over) { return clicks.Release(over ? id : ClickTracker::kNowhere) == id; };
  events.click = std::move(click);
  events.capture_lost = [&clicks] { clicks.CaptureLost(); };
  return events;
}

}  // namespace quillet
