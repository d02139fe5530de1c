#include "platform/win32/win32_message_boxes.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_controls.h"

namespace quillet {
namespace {

// Answers the next message box of this thread, after noting what it offered.
// The box is looked at from a timer that its own modal loop runs once it is
// set up, so no wait depends on how fast the system is.
class BoxAnswerer {
 public:
  static constexpr int kEnter = 0;  // answer with the Return key instead of a button
  explicit BoxAnswerer(int button) : button_(button) {
    current_ = this;
    hook_ = ::SetWindowsHookExW(WH_CBT, &BoxAnswerer::Hook, nullptr, ::GetCurrentThreadId());
  }
  ~BoxAnswerer() { ::UnhookWindowsHookEx(hook_), current_ = nullptr; }
  bool seen = false, has_cancel = false, owner_enabled = true;
  int focused_button = 0;
  std::wstring title;
  HWND owner = nullptr;

 private:
  // The box's creation, not its activation: without a window manager it may never be activated.
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lparam);
    if (code == HCBT_CREATEWND && current_ && !current_->seen) {
      const LPCWSTR name = create->lpcs->lpszClass;
      if (IS_INTRESOURCE(name) ? name == MAKEINTATOM(0x8002) : ::lstrcmpW(name, L"#32770") == 0) {
        ::SetTimer(reinterpret_cast<HWND>(wparam), 1, 50, &BoxAnswerer::Look);
      }
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
  }
  static void CALLBACK Look(HWND box, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(box, timer);
    if (!current_ || current_->seen) return;
    BoxAnswerer& self = *current_;
    // The box gives its default button the focus once it is active: until
    // then, look again (a busy system takes its time; there is no deadline).
    if (!::IsChild(box, ::GetFocus()) && ++self.looks_ < 200) {
      ::SetTimer(box, timer, 50, &BoxAnswerer::Look);
      return;
    }
    self.seen = true;
    self.has_cancel = ::GetDlgItem(box, IDCANCEL) != nullptr;
    self.focused_button = ::GetDlgCtrlID(::GetFocus());
    self.owner = ::GetWindow(box, GW_OWNER);
    self.owner_enabled = self.owner != nullptr && ::IsWindowEnabled(self.owner);
    wchar_t text[256] = {};
    ::GetWindowTextW(box, text, 256);
    self.title = text;
    if (self.button_ == kEnter) {
      ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
      ::PostMessageW(::GetFocus(), WM_KEYUP, VK_RETURN, 0xC0000001);
    } else {
      ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(self.button_, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(box, self.button_)));
    }
  }
  static inline BoxAnswerer* current_ = nullptr;
  int button_;
  int looks_ = 0;
  HHOOK hook_ = nullptr;
};

TEST(Win32MessageBoxesTest, EachStyleOffersItsButtonsAndDefaultAndReportsTheAnswer) {
  const HWND editor = ::CreateWindowExW(0, L"STATIC", L"editor", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                        nullptr, nullptr);
  if (editor == nullptr) GTEST_SKIP() << "no window station with a display";
  Win32Window window;
  window.Attach(editor);
  Win32MessageBoxes boxes;
  boxes.set_owner_lookup([&](const Window& owner) { return &owner == &window ? editor : nullptr; });
  const struct {
    MessageStyle style;
    int press;
    MessageAnswer answer;
    bool has_cancel;
    int focused;  // the default button
  } cases[] = {
      {MessageStyle::kOk, IDOK, MessageAnswer::kOk, false, IDOK},
      {MessageStyle::kOkCancel, IDCANCEL, MessageAnswer::kCancel, true, IDOK},
      {MessageStyle::kOkCancel, BoxAnswerer::kEnter, MessageAnswer::kOk, true, IDOK},
      // The overwrite question: Enter must not overwrite.
      {MessageStyle::kOkCancelDefaultCancel, BoxAnswerer::kEnter, MessageAnswer::kCancel, true, IDCANCEL},
      // The close's question: 是, 否, and Enter stays.
      {MessageStyle::kYesNoCancelDefaultCancel, IDYES, MessageAnswer::kYes, true, IDCANCEL},
      {MessageStyle::kYesNoCancelDefaultCancel, IDNO, MessageAnswer::kNo, true, IDCANCEL},
      {MessageStyle::kYesNoCancelDefaultCancel, BoxAnswerer::kEnter, MessageAnswer::kCancel, true, IDCANCEL},
  };
  for (const auto& c : cases) {
    BoxAnswerer answer(c.press);
    EXPECT_EQ(boxes.Show(L"覆盖？", L"确认", c.style, &window), c.answer);
    ASSERT_TRUE(answer.seen);
    EXPECT_EQ(answer.has_cancel, c.has_cancel);
    EXPECT_EQ(answer.focused_button, c.focused);
    EXPECT_EQ(answer.title, L"确认");
    EXPECT_EQ(answer.owner, editor);
    EXPECT_FALSE(answer.owner_enabled);  // no typing, OK or close in the owner while it is open
  }
  EXPECT_TRUE(::IsWindowEnabled(editor));
  ::DestroyWindow(editor);
}

}  // namespace
}  // namespace quillet
