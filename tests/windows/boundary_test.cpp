#include "platform/win32/boundary.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/win32/message_target.h"

namespace quillet {
namespace {

// A window whose handler fails on WM_APP.
class FailingWindow final : public MessageTarget {
 public:
  bool Create() {
    WindowParams params{L"QuilletBoundaryTest"};
    params.style = WS_POPUP;
    return MessageTarget::Create(params) != nullptr;
  }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_APP) throw std::runtime_error("handler failed");
    if (message == WM_APP + 1) return 42;
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

}  // namespace
}  // namespace quillet
