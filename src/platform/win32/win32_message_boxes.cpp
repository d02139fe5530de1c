#include "platform/win32/win32_message_boxes.h"

namespace quillet {
namespace {

UINT Flags(MessageStyle style) {
  const UINT buttons = style == MessageStyle::kOkCancel ? MB_OKCANCEL : MB_OK;
  return buttons | MB_DEFBUTTON1 | MB_TOPMOST | MB_SETFOREGROUND;
}

}  // namespace

MessageAnswer Win32MessageBoxes::Show(const std::wstring& text, const std::wstring& title, MessageStyle style) {
  // Anything but OK, including a box that could not be shown, counts as Cancel.
  return ::MessageBoxW(owner_, text.c_str(), title.c_str(), Flags(style)) == IDOK ? MessageAnswer::kOk
                                                                                  : MessageAnswer::kCancel;
}

}  // namespace quillet
