#include "platform/win32/boundary.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/message_loop.h"
#include "platform/win32/message_target.h"

namespace quillet {
namespace {

// A window whose handler fails on WM_APP, and that counts the keys it gets.
class FailingWindow final : public MessageTarget {
 public:
  int keys = 0;
  bool Create() { return MessageTarget::Create({L"QuilletBoundaryTest", 0, WS_POPUP}) != nullptr; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_APP) throw std::runtime_error("handler failed");
    if (message == WM_KEYDOWN) ++keys;
    return MessageTarget::OnMessage(message, wparam, lparam);
  }
};

// An exception stops at the window procedure, so the system's frames are
// never unwound, or at the message loop when a key's preview fails (the lookup
// run by Enter, out of memory). The report names it; the failing key is used
// up, and the window and the loop go on with the next messages.
TEST(BoundaryTest, ExceptionsAreReportedWhereTheSystemCallsInAndHandlingGoesOn) {
  FailingWindow window;
  if (!window.Create()) GTEST_SKIP() << "no window station with a display";
  std::vector<std::string> reported;
  SetExceptionReporter([&](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      reported.push_back(e.what());
    }
  });
  EXPECT_EQ(::SendMessageW(window.hwnd(), WM_APP, 0, 0), 0);
  ::PostMessageW(window.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  ::PostMessageW(window.hwnd(), WM_KEYDOWN, 'A', 0);
  ::PostMessageW(window.hwnd(), WM_APP + 2, 7, 0);
  EXPECT_EQ(RunMessageLoop([&](const MSG& msg) {
              if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) throw std::runtime_error("preview failed");
              if (msg.message == WM_APP + 2) ::PostQuitMessage(static_cast<int>(msg.wParam));
              return false;
            }),
            7);
  SetExceptionReporter(nullptr);
  EXPECT_EQ(::SendMessageW(window.hwnd(), WM_APP, 0, 0), 0);  // no reporter: dropped, still caught
  EXPECT_EQ(reported, (std::vector<std::string>{"handler failed", "preview failed"}));
  EXPECT_EQ(window.keys, 1);  // 'A' only
}

}  // namespace
}  // namespace quillet
