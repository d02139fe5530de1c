#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/message_target.h"

namespace quillet {

// A plain child window that paints itself through a callback and reports
// clicks and mouse moves: the title strip, labels and pictures. Colour and
// command notifications of its own children go on to its parent.
class Surface : public MessageTarget {
 public:
  struct Events {
    std::function<void(HDC, const RECT&)> paint;
    std::function<void()> click;       // left button pressed and released over it
    std::function<void()> mouse_move;  // a move over it while the primary button is held
  };

  bool Create(HWND parent, const RECT& pixels, Events events, bool visible = true);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  Events events_;
  bool pressed_ = false;
};

}  // namespace quillet
