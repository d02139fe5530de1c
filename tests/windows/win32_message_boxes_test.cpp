#include "platform/win32/win32_message_boxes.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_controls.h"

namespace quillet {
namespace {

// What the box offered, read by a zero timer that the hook sets on the box at
// its creation and that runs inside the box's modal loop once its buttons
// exist: nothing waits for the box to take the focus, which a busy system may
// delay. The default button is the one that says so, not the focused one.
struct {
  int buttons = 0, default_button = 0;  // a bit per button id (1 << IDOK, ...)
  HWND owner = nullptr;
  bool owner_enabled = true;
} seen;

void CALLBACK LookAndSayYes(HWND box, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(box, timer);
  for (const int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
    const HWND button = ::GetDlgItem(box, id);
    if (button == nullptr) continue;
    seen.buttons |= 1 << id;
    if (::SendMessageW(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) seen.default_button = id;
  }
  seen.owner = ::GetWindow(box, GW_OWNER);
  seen.owner_enabled = ::IsWindowEnabled(seen.owner);
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDYES)));
}

LRESULT CALLBACK SeeBoxCreated(int code, WPARAM wparam, LPARAM lparam) {
  const LPCWSTR name = code == HCBT_CREATEWND ? reinterpret_cast<const CBT_CREATEWNDW*>(lparam)->lpcs->lpszClass : L"";
  if (IS_INTRESOURCE(name) ? name == MAKEINTATOM(0x8002) : !::lstrcmpW(name, L"#32770")) {
    ::SetTimer(reinterpret_cast<HWND>(wparam), 1, 0, &LookAndSayYes);
  }
  return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

// The flags of each style are decided and tested in portable code; one box
// shows that they reach the system (three buttons, the third the default),
// that the box belongs to the window the form names and keeps it from input
// while it is open, and that the answer comes back. The owner is never shown:
// Wine takes two seconds to take a shown window off a display without a
// window manager.
TEST(Win32MessageBoxesTest, ABoxOffersItsStylesButtonsOverItsOwnerAndReportsTheAnswer) {
  const HWND editor =
      ::CreateWindowExW(0, L"STATIC", L"editor", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  if (editor == nullptr) GTEST_SKIP() << "no window station with a display";
  Win32Window window;
  window.Attach(editor);
  Win32MessageBoxes boxes;
  boxes.set_owner_lookup([&](const Window& owner) { return &owner == &window ? editor : nullptr; });
  const HHOOK hook = ::SetWindowsHookExW(WH_CBT, &SeeBoxCreated, nullptr, ::GetCurrentThreadId());
  EXPECT_EQ(boxes.Show(L"覆盖？", L"确认", MessageStyle::kYesNoCancelDefaultCancel, &window), MessageAnswer::kYes);
  ::UnhookWindowsHookEx(hook);
  EXPECT_EQ(seen.buttons, 1 << IDYES | 1 << IDNO | 1 << IDCANCEL);
  EXPECT_EQ(seen.default_button, IDCANCEL);
  EXPECT_EQ(seen.owner, editor);
  EXPECT_FALSE(seen.owner_enabled);
  ::DestroyWindow(editor);
}

}  // namespace
}  // namespace quillet
