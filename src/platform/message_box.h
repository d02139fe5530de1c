#pragma once

#include <string>

namespace quillet {

class Window;

// kOk: OK alone; kOkCancel: OK the default; kOkCancelDefaultCancel: Cancel the
// default; kYesNoCancelDefaultCancel: 是, 否 and 取消, Cancel the default.
enum class MessageStyle { kOk = 0, kOkCancel = 1, kOkCancelDefaultCancel = 2, kYesNoCancelDefaultCancel = 3 };
// A box closed without a button (Esc, the close box) answers Cancel.
enum class MessageAnswer { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

// Modal message boxes without icon. A box with an owner window keeps that
// window from input until it is answered; without one it belongs to the main window.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const std::wstring& text, const std::wstring& title, MessageStyle style,
                             Window* owner = nullptr) = 0;
};

}  // namespace quillet
