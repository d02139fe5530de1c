#include "platform/win32/message_target.h"

#include "platform/win32/boundary.h"

namespace quillet {

MessageTarget::~MessageTarget() {
  if (hwnd_ != nullptr) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

HWND MessageTarget::Create(const WindowParams& params) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!::GetClassInfoExW(instance, params.class_name, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &MessageTarget::Proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = params.background;
    wc.hIcon = params.icon;
    wc.lpszClassName = params.class_name;
    if (!::RegisterClassExW(&wc)) return nullptr;
  }
  return ::CreateWindowExW(params.ex_style, params.class_name, params.text, params.style, params.rect.left,
                           params.rect.top, params.rect.right - params.rect.left, params.rect.bottom - params.rect.top,
                           params.parent, reinterpret_cast<HMENU>(params.id), instance, this);
}

LRESULT MessageTarget::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return Default(message, wparam, lparam);
}

LRESULT CALLBACK MessageTarget::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<MessageTarget*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<MessageTarget*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  // On failure the system's own handling, so that a paint is still validated, say.
  const LRESULT result = Guarded([&] { return ::DefWindowProcW(hwnd, message, wparam, lparam); },
                                 [&] { return self->OnMessage(message, wparam, lparam); });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace quillet
