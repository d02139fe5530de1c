#pragma once

#include <string>

namespace quillet {

class Window;

// kOk: OK alone; kOkCancel: OK the default; kOkCancelDefaultCancel: Cancel the
// default; kYesNoCancelDefaultCancel: 是, 否 and 取消, Cancel the default.
enum class MessageStyle { kOk = 0, kOkCancel = 1, kOkCancelDefaultCancel = 2, kYesNoCancelDefaultCancel = 3 };
// A box closed without a button (Esc, the close box) answers Cancel.
enum class MessageAnswer { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

// The system's box flags for a style, as plain numbers (the Windows layer
// checks them against its headers): the buttons, the default button (the
// first, second or third), and topmost in the foreground, so that no box
// opens behind the topmost main window.
namespace box_flags {
inline constexpr unsigned kOk = 0x0, kOkCancel = 0x1, kYesNoCancel = 0x3, kButtonsMask = 0xF;
inline constexpr unsigned kDefault1 = 0x000, kDefault2 = 0x100, kDefault3 = 0x200, kDefaultMask = 0xF00;
inline constexpr unsigned kSetForeground = 0x10000, kTopmost = 0x40000;
}  // namespace box_flags

constexpr unsigned MessageBoxFlags(MessageStyle style) {
  using namespace box_flags;
  switch (style) {
    case MessageStyle::kOk: return kOk | kDefault1 | kTopmost | kSetForeground;
    case MessageStyle::kOkCancel: return kOkCancel | kDefault1 | kTopmost | kSetForeground;
    case MessageStyle::kOkCancelDefaultCancel: return kOkCancel | kDefault2 | kTopmost | kSetForeground;
    case MessageStyle::kYesNoCancelDefaultCancel: return kYesNoCancel | kDefault3 | kTopmost | kSetForeground;
  }
  return kOk | kTopmost | kSetForeground;
}

// Modal message boxes without icon. A box with an owner window keeps that
// window from input until it is answered; without one it belongs to the main window.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const std::wstring& text, const std::wstring& title, MessageStyle style,
                             Window* owner = nullptr) = 0;
};

}  // namespace quillet
