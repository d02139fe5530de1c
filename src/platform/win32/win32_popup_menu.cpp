#include "platform/win32/win32_popup_menu.h"

#include "platform/win32/handles.h"
#include "platform/win32/message_target.h"

namespace quillet {
namespace {

// Item ids start at 1: TrackPopupMenu answers 0 when nothing was chosen.
constexpr UINT kFirstItemId = 1;

class Win32PopupMenu final : public PopupMenu, private MessageTarget {
 public:
  bool Create(const wchar_t* window_text, const std::vector<std::wstring>& captions) {
    WindowParams params{L"QuilletMenuHolder"};
    params.ex_style = WS_EX_TOOLWINDOW;
    params.style = WS_POPUP;
    params.text = window_text;
    if (MessageTarget::Create(params) == nullptr) return false;
    menu_.reset(::CreatePopupMenu());
    if (!menu_) return false;
    UINT id = kFirstItemId;
    for (const std::wstring& caption : captions) {
      if (!::AppendMenuW(menu_.get(), MF_STRING, id++, caption.c_str())) return false;
    }
    return true;
  }

  int TrackAtCursor() override {
    POINT at{};
    if (!::GetCursorPos(&at)) return -1;
    return Track(at);
  }

  int TrackAt(PixelPoint at) override { return Track({at.x, at.y}); }

 private:
  int Track(POINT at) {
    // Without the foreground the menu would stay open after a click elsewhere.
    const HWND previous = ::GetForegroundWindow();
    ::SetForegroundWindow(hwnd());
    const UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RIGHTBUTTON;
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu_.get(), flags, at.x, at.y, 0, hwnd(), nullptr));
    // Lets the menu close properly when it is opened again at once.
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
    // The hidden window gives the foreground back to the window that had it.
    if (::GetForegroundWindow() == hwnd() && previous != nullptr && previous != hwnd() && ::IsWindowVisible(previous)) {
      ::SetForegroundWindow(previous);
    }
    return chosen >= kFirstItemId ? static_cast<int>(chosen - kFirstItemId) : -1;
  }

  MenuHandle menu_;
};

}  // namespace

std::unique_ptr<PopupMenu> Win32PopupMenuFactory::Create(const std::vector<std::wstring>& captions) {
  auto menu = std::make_unique<Win32PopupMenu>();
  if (!menu->Create(window_text_, captions)) return nullptr;
  return menu;
}

}  // namespace quillet
