#include "platform/win32/message_loop.h"

#include "platform/win32/boundary.h"

namespace quillet {

int RunMessageLoop(const std::function<bool(const MSG&)>& preview) {
  MSG msg{};
  BOOL got;
  while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    if (Guarded(true, [&] { return preview(msg); })) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return got == 0 ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace quillet
