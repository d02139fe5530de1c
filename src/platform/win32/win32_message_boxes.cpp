#include "platform/win32/win32_message_boxes.h"

namespace quillet {
namespace {

UINT Flags(MessageStyle style) {
  switch (style) {
    case MessageStyle::kOk: return MB_OK | MB_DEFBUTTON1 | MB_TOPMOST | MB_SETFOREGROUND;
    case MessageStyle::kOkCancel: return MB_OKCANCEL | MB_DEFBUTTON1 | MB_TOPMOST | MB_SETFOREGROUND;
    case MessageStyle::kOkCancelDefaultCancel: return MB_OKCANCEL | MB_DEFBUTTON2 | MB_TOPMOST | MB_SETFOREGROUND;
    case MessageStyle::kYesNoCancelDefaultCancel: return MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_TOPMOST | MB_SETFOREGROUND;
  }
  return MB_OK | MB_TOPMOST | MB_SETFOREGROUND;
}

}  // namespace

MessageAnswer Win32MessageBoxes::Show(const std::wstring& text, const std::wstring& title, MessageStyle style,
                                      Window* owner) {
  const HWND found = owner != nullptr && lookup_ ? lookup_(*owner) : nullptr;
  const HWND owner_window = found != nullptr ? found : owner_;
  // Anything but OK, Yes and No, including a box that could not be shown, counts as Cancel.
  switch (::MessageBoxW(owner_window, text.c_str(), title.c_str(), Flags(style))) {
    case IDOK: return MessageAnswer::kOk;
    case IDYES: return MessageAnswer::kYes;
    case IDNO: return MessageAnswer::kNo;
    default: return MessageAnswer::kCancel;
  }
}

}  // namespace quillet
