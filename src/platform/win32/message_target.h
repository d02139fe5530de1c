#pragma once

#include <windows.h>

namespace quillet {

// The one window-procedure pattern of the program: the object pointer arrives
// with WM_NCCREATE and is kept on the window, every message goes to
// OnMessage, whatever it leaves reaches DefWindowProcW, and the pointer is
// dropped at WM_NCDESTROY. The object owns its window: its destructor takes
// the pointer off and destroys the window, after a derived class's members
// have gone (they may use the window until then) and before anything in a
// base class listed ahead of MessageTarget (what the controls paint with).
// No exception leaves OnMessage for the system: it is reported (see boundary.h).
class MessageTarget {
 public:
  MessageTarget() = default;
  virtual ~MessageTarget();
  MessageTarget(const MessageTarget&) = delete;
  MessageTarget& operator=(const MessageTarget&) = delete;

  HWND hwnd() const { return hwnd_; }

 protected:
  struct WindowParams {
    const wchar_t* class_name;
    DWORD ex_style = 0;
    DWORD style = 0;
    RECT rect{};  // pixels, relative to the parent for child windows
    HWND parent = nullptr;
    UINT_PTR id = 0;
    const wchar_t* text = L"";
    HBRUSH background = nullptr;  // owned by the caller, lives as long as the class
    HICON icon = nullptr;
  };
  // Registers the class on first use and creates the window; nullptr on failure.
  HWND Create(const WindowParams& params);

  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(hwnd_, message, wparam, lparam);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
};

}  // namespace quillet
