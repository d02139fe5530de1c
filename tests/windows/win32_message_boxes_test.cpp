#include "platform/win32/win32_message_boxes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/win32_controls.h"

namespace quillet {
namespace {

// Answers the next message box of this thread by pressing one of its buttons,
// after noting what the box offered. The box is looked at from a timer that
// its own modal loop runs, once it is fully set up.
class BoxAnswerer {
 public:
  static constexpr int kEnter = 0;  // answer with the Return key instead of a button

  explicit BoxAnswerer(int button) : button_(button) {
    current_ = this;
    hook_ = ::SetWindowsHookExW(WH_CBT, &BoxAnswerer::Hook, nullptr, ::GetCurrentThreadId());
  }
  ~BoxAnswerer() {
    if (hook_) ::UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  bool hooked() const { return hook_ != nullptr; }
  bool seen = false;
  bool has_cancel = false;
  UINT default_button = 0;
  std::wstring title;
  HWND owner = nullptr;
  bool owner_enabled = true;
  int focused_button = 0;

 private:
  static constexpr UINT_PTR kLookTimer = 1;
  static constexpr UINT kLookDelayMs = 50;

  // The box's creation, not its activation: without a window manager the
  // box may never be activated.
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND && current_ && !current_->seen) {
      const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lparam);
      const bool dialog = !IS_INTRESOURCE(create->lpcs->lpszClass)
                              ? ::lstrcmpW(create->lpcs->lpszClass, L"#32770") == 0
                              : reinterpret_cast<ULONG_PTR>(create->lpcs->lpszClass) == 0x8002;
      if (dialog) ::SetTimer(reinterpret_cast<HWND>(wparam), kLookTimer, kLookDelayMs, &BoxAnswerer::Look);
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
  }

  static void CALLBACK Look(HWND box, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(box, timer);
    if (!current_ || current_->seen) return;
    BoxAnswerer& self = *current_;
    self.seen = true;
    self.has_cancel = ::GetDlgItem(box, IDCANCEL) != nullptr;
    self.default_button = LOWORD(::SendMessageW(box, DM_GETDEFID, 0, 0));
    self.focused_button = ::GetDlgCtrlID(::GetFocus());
    self.owner = ::GetWindow(box, GW_OWNER);
    self.owner_enabled = self.owner != nullptr && ::IsWindowEnabled(self.owner);
    wchar_t text[256] = {};
    ::GetWindowTextW(box, text, 256);
    self.title = text;
    if (self.button_ == kEnter) {
      ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
      ::PostMessageW(::GetFocus(), WM_KEYUP, VK_RETURN, 0xC0000001);
      return;
    }
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(self.button_, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, self.button_)));
  }

  static inline BoxAnswerer* current_ = nullptr;
  int button_;
  HHOOK hook_ = nullptr;
};

// Wine without an X display cannot create windows at all; the boxes are then
// checked by the end-to-end tests instead.
bool CanCreateWindows() {
  const HWND probe = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  if (!probe) return false;
  ::DestroyWindow(probe);
  return true;
}

class Win32MessageBoxesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CanCreateWindows()) GTEST_SKIP() << "no window station with a display";
  }
};

TEST_F(Win32MessageBoxesTest, OkCancelBoxDefaultsToOkAndReportsTheButtonPressed) {
  Win32MessageBoxes boxes;
  {
    BoxAnswerer answer(IDCANCEL);
    ASSERT_TRUE(answer.hooked());
    EXPECT_EQ(boxes.Show(L"删除这一条？", L"确认", MessageStyle::kOkCancel), MessageAnswer::kCancel);
    ASSERT_TRUE(answer.seen);
    EXPECT_TRUE(answer.has_cancel);
    EXPECT_EQ(answer.default_button, static_cast<UINT>(IDOK));
    EXPECT_EQ(answer.title, L"确认");
  }
  {
    BoxAnswerer answer(IDOK);
    EXPECT_EQ(boxes.Show(L"删除这一条？", L"确认", MessageStyle::kOkCancel), MessageAnswer::kOk);
    EXPECT_TRUE(answer.seen);
  }
}

TEST_F(Win32MessageBoxesTest, OkBoxHasNoCancelButton) {
  Win32MessageBoxes boxes;
  BoxAnswerer answer(IDOK);
  EXPECT_EQ(boxes.Show(L"已保存", L"提示", MessageStyle::kOk), MessageAnswer::kOk);
  ASSERT_TRUE(answer.seen);
  EXPECT_FALSE(answer.has_cancel);
}

TEST_F(Win32MessageBoxesTest, TheOverwriteQuestionDefaultsToCancelAndAnOwnedBoxBlocksItsOwner) {
  const HWND editor = ::CreateWindowExW(0, L"STATIC", L"editor", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                        nullptr, nullptr);
  ASSERT_NE(editor, nullptr);
  Win32Window window;
  window.Attach(editor);
  Win32MessageBoxes boxes;
  BoxAnswerer answer(BoxAnswerer::kEnter);
  EXPECT_EQ(boxes.Show(L"覆盖？", L"确认", MessageStyle::kOkCancelDefaultCancel, &window), MessageAnswer::kCancel);
  ASSERT_TRUE(answer.seen);
  EXPECT_EQ(answer.focused_button, IDCANCEL);
  EXPECT_EQ(answer.owner, editor);
  EXPECT_FALSE(answer.owner_enabled);  // no typing, OK or close while it is open
  EXPECT_TRUE(::IsWindowEnabled(editor));
  ::DestroyWindow(editor);
}

}  // namespace
}  // namespace quillet
