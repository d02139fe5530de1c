#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/message_target.h"

namespace quillet {

// A plain child window that paints itself through a callback and reports
// the left button and mouse moves: the title strip, labels and pictures.
// With a press handler it captures the mouse from the press to the release,
// as a button does. Colour and command notifications of its own children go
// on to its parent.
class Surface : public MessageTarget {
 public:
  struct Events {
    std::function<void(HDC, const RECT&)> paint{};
    std::function<void(bool second)> press{};  // the left button went down over it; `second`: of a double-click
    std::function<bool(bool over)> release{};  // ...and came up, over it or not: true for a click
    std::function<void()> click{};             // runs after the capture has ended
    std::function<void()> capture_lost{};      // the capture went elsewhere before the release
    std::function<void()> mouse_move{};        // a move over it while the primary button is held
    bool tab_stop = false;                     // takes the keyboard focus and shows it with a focus rectangle
  };

  // `name` is its window text: what accessibility tools read as its name.
  bool Create(HWND parent, const RECT& pixels, Events events, const wchar_t* name = L"", bool visible = true);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  Events events_;
};

}  // namespace quillet
