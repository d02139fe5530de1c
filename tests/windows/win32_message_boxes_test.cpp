#include "platform/win32/win32_message_boxes.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_controls.h"

namespace quillet {
namespace {

// Answers the next message box of this thread with a button, after noting
// what it offers. The box is seen at its creation by a hook; a zero timer
// then runs inside its modal loop, once its buttons exist, whether or not it
// ever gets the focus. The default button is the one that says so, not the
// focused one: focus needs an active box, which a busy system may delay.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(int button) : button_(button) {
    current_ = this;
    hook_ = ::SetWindowsHookExW(WH_CBT, &BoxAnswerer::Hook, nullptr, ::GetCurrentThreadId());
  }
  ~BoxAnswerer() { ::UnhookWindowsHookEx(hook_), current_ = nullptr; }
  bool seen = false, owner_enabled = true;
  int buttons = 0;  // a bit per button id (1 << IDOK, ...)
  int default_button = 0;
  std::wstring title;
  HWND owner = nullptr;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lparam);
    if (code == HCBT_CREATEWND && current_ && !current_->seen) {
      const LPCWSTR name = create->lpcs->lpszClass;
      if (IS_INTRESOURCE(name) ? name == MAKEINTATOM(0x8002) : ::lstrcmpW(name, L"#32770") == 0) {
        ::SetTimer(reinterpret_cast<HWND>(wparam), 1, 0, &BoxAnswerer::Look);
      }
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
  }
  static void CALLBACK Look(HWND box, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(box, timer);
    if (!current_ || current_->seen) return;
    BoxAnswerer& self = *current_;
    self.seen = true;
    for (const int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
      const HWND button = ::GetDlgItem(box, id);
      if (button == nullptr) continue;
      self.buttons |= 1 << id;
      if (::SendMessageW(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) self.default_button = id;
    }
    self.owner = ::GetWindow(box, GW_OWNER);
    self.owner_enabled = self.owner != nullptr && ::IsWindowEnabled(self.owner);
    wchar_t text[256] = {};
    ::GetWindowTextW(box, text, 256);
    self.title = text;
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(self.button_, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, self.button_)));
  }
  static inline BoxAnswerer* current_ = nullptr;
  int button_;
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
  constexpr int kOk = 1 << IDOK, kOkCancel = kOk | 1 << IDCANCEL, kYesNoCancel = 1 << IDYES | 1 << IDNO | 1 << IDCANCEL;
  const struct {
    MessageStyle style;
    int press;
    MessageAnswer answer;
    int buttons, default_button;
  } cases[] = {
      {MessageStyle::kOk, IDOK, MessageAnswer::kOk, kOk, IDOK},
      {MessageStyle::kOkCancelDefaultCancel, IDCANCEL, MessageAnswer::kCancel, kOkCancel, IDCANCEL},
      {MessageStyle::kYesNoCancelDefaultCancel, IDYES, MessageAnswer::kYes, kYesNoCancel, IDCANCEL},
      {MessageStyle::kYesNoCancelDefaultCancel, IDNO, MessageAnswer::kNo, kYesNoCancel, IDCANCEL},
  };
  for (const auto& c : cases) {
    BoxAnswerer answer(c.press);
    EXPECT_EQ(boxes.Show(L"覆盖？", L"确认", c.style, &window), c.answer);
    ASSERT_TRUE(answer.seen);
    EXPECT_EQ(answer.buttons, c.buttons);
    EXPECT_EQ(answer.default_button, c.default_button);
    EXPECT_EQ(answer.title, L"确认");
    EXPECT_EQ(answer.owner, editor);
    EXPECT_FALSE(answer.owner_enabled);  // no typing, OK or close in the owner while it is open
  }
  EXPECT_TRUE(::IsWindowEnabled(editor));
  ::DestroyWindow(editor);
}

}  // namespace
}  // namespace quillet
