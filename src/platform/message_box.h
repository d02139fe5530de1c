#pragma once

#include <string>

namespace quillet {

class Window;

// kOk: OK alone; kOkCancel: OK the default; kOkCancelDefaultCancel: Cancel the default.
enum class MessageStyle { kOk = 0, kOkCancel = 1, kOkCancelDefaultCancel = 2 };
enum class MessageAnswer { kOk = 1, kCancel = 2 };

// Modal message boxes without icon. A box with an owner window keeps that
// window from input until it is answered; without one it belongs to the main window.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const std::wstring& text, const std::wstring& title, MessageStyle style,
                             Window* owner = nullptr) = 0;
};

}  // namespace quillet
