#include "platform/win32/boundary.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "platform/win32/message_loop.h"
#include "platform/win32/message_target.h"

namespace quillet {
namespace {

// A window whose handler fails on WM_APP, and that counts the keys it gets.
class FailingWindow final : public MessageTarget {
 public:
  int keys = 0;
  bool Create() {
    WindowParams params{L"QuilletBoundaryTest"};
    params.style = WS_POPUP;
    return MessageTarget::Create(params) != nullptr;
  }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_APP) throw std::runtime_error("handler failed");
    if (message == WM_APP + 1) return 42;
    if (message == WM_KEYDOWN) ++keys;
    return MessageTarget::OnMessage(message, wparam, lparam);
  }
};

// An exception stops at the window procedure: the system's frames are never
// unwound, the report names it, and the window goes on handling messages.
TEST(BoundaryTest, AnExceptionInAHandlerIsReportedAtTheWindowProcedure) {
  std::string reported;
  int reports = 0;
  SetExceptionReporter([&](std::exception_ptr error) {
    ++reports;
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      reported = e.what();
    }
  });
  FailingWindow window;
  if (!window.Create()) GTEST_SKIP() << "no window station with a display";
  EXPECT_EQ(::SendMessageW(window.hwnd(), WM_APP, 0, 0), 0);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(reported, "handler failed");
  EXPECT_EQ(::SendMessageW(window.hwnd(), WM_APP + 1, 0, 0), 42);
  SetExceptionReporter(nullptr);
  EXPECT_EQ(::SendMessageW(window.hwnd(), WM_APP, 0, 0), 0);  // no reporter: dropped, still caught
  EXPECT_EQ(reports, 1);
}

// A key whose preview fails (the lookup run by Enter, out of memory) is
// reported from the loop; the key is used up and the loop goes on with the
// next messages until it is told to end.
TEST(BoundaryTest, AFailingKeyPreviewIsReportedAndTheLoopGoesOn) {
  int reports = 0;
  SetExceptionReporter([&](std::exception_ptr) { ++reports; });
  FailingWindow window;
  if (!window.Create()) GTEST_SKIP() << "no window station with a display";
  ::PostMessageW(window.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  ::PostMessageW(window.hwnd(), WM_KEYDOWN, 'A', 0);
  ::PostMessageW(window.hwnd(), WM_APP + 2, 7, 0);
  const int code = RunMessageLoop([&](const MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) throw std::bad_alloc();
    if (msg.message == WM_APP + 2) ::PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  });
  SetExceptionReporter(nullptr);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(window.keys, 1);  // 'A' only
  EXPECT_EQ(code, 7);
}

}  // namespace
}  // namespace quillet
