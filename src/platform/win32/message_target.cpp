#include "platform/win32/message_target.h"

namespace quillet {

MessageTarget::~MessageTarget() {
  if (hwnd_ != nullptr) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

HWND MessageTarget::Create(const Spec& spec) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!::GetClassInfoExW(instance, spec.class_name, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &MessageTarget::Proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = spec.background;
    wc.hIcon = spec.icon;
    wc.lpszClassName = spec.class_name;
    if (!::RegisterClassExW(&wc)) return nullptr;
  }
  return ::CreateWindowExW(spec.ex_style, spec.class_name, spec.text, spec.style, spec.rect.left, spec.rect.top,
                           spec.rect.right - spec.rect.left, spec.rect.bottom - spec.rect.top, spec.parent,
                           reinterpret_cast<HMENU>(spec.id), instance, this);
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
  const LRESULT result = self->OnMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace quillet
