#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/window.h"

namespace quillet {

// A pop-up menu held by a window that is never shown.
class PopupMenu {
 public:
  virtual ~PopupMenu() = default;
  // Pops the menu up at the mouse pointer and waits until it closes; the
  // index of the chosen item, or -1 when it was dismissed.
  virtual int TrackAtCursor() = 0;
  // The same, with the menu's top left at a screen point.
  virtual int TrackAt(PixelPoint at) = 0;
};

class PopupMenuFactory {
 public:
  virtual ~PopupMenuFactory() = default;
  // Creates the hidden window and its menu of `captions`; nullptr on failure.
  virtual std::unique_ptr<PopupMenu> Create(const std::vector<std::wstring>& captions) = 0;
};

}  // namespace quillet
