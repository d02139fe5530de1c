#include "platform/win32/win32_message_boxes.h"

namespace quillet {
namespace box_flags {
static_assert(kOk == MB_OK && kOkCancel == MB_OKCANCEL && kYesNoCancel == MB_YESNOCANCEL &&
              kButtonsMask == MB_TYPEMASK);
static_assert(kDefault1 == MB_DEFBUTTON1 && kDefault2 == MB_DEFBUTTON2 && kDefault3 == MB_DEFBUTTON3 &&
              kDefaultMask == MB_DEFMASK);
static_assert(kSetForeground == MB_SETFOREGROUND && kTopmost == MB_TOPMOST);
}  // namespace box_flags

MessageAnswer Win32MessageBoxes::Show(const std::wstring& text, const std::wstring& title, MessageStyle style,
                                      Window* owner) {
  const HWND found = owner != nullptr && lookup_ ? lookup_(*owner) : nullptr;
  const HWND owner_window = found != nullptr ? found : owner_;
  // Anything but OK, Yes and No, including a box that could not be shown, counts as Cancel.
  switch (::MessageBoxW(owner_window, text.c_str(), title.c_str(), MessageBoxFlags(style))) {
    case IDOK: return MessageAnswer::kOk;
    case IDYES: return MessageAnswer::kYes;
    case IDNO: return MessageAnswer::kNo;
    default: return MessageAnswer::kCancel;
  }
}

}  // namespace quillet
