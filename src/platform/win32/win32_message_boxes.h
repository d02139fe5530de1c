#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "platform/message_box.h"

namespace quillet {

// MessageBoxW without an icon, the default button as the style says. The box is topmost
// and takes the foreground so that it never opens behind the topmost main window.
class Win32MessageBoxes final : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
  // The window of a box without an owner of its own.
  void set_owner(HWND owner) { owner_ = owner; }
  // Finds the window behind a Window the forms name as a box's owner;
  // nullptr when it has none.
  void set_owner_lookup(std::function<HWND(const Window&)> lookup) { lookup_ = std::move(lookup); }

  MessageAnswer Show(const std::wstring& text, const std::wstring& title, MessageStyle style,
                     Window* owner = nullptr) override;

 private:
  HWND owner_;
  std::function<HWND(const Window&)> lookup_;
};

}  // namespace quillet
