#pragma once

#include <windows.h>

#include "platform/message_box.h"

namespace quillet {

// MessageBoxW without an icon, the default button as the style says. The box is topmost
// and takes the foreground so that it never opens behind the topmost main window.
class Win32MessageBoxes final : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
  void set_owner(HWND owner) { owner_ = owner; }

  MessageAnswer Show(const std::wstring& text, const std::wstring& title, MessageStyle style,
                     Window* owner = nullptr) override;

 private:
  HWND owner_;
};

}  // namespace quillet
