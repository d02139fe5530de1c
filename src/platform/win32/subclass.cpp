#include "platform/win32/subclass.h"

#include <commctrl.h>

#include <utility>

#include "platform/win32/boundary.h"

namespace quillet {

bool ControlSubclass::Install(HWND control, Handler handler) {
  Remove();
  if (control == nullptr) return false;
  handler_ = std::move(handler);
  if (!::SetWindowSubclass(control, &ControlSubclass::Proc, Id(), reinterpret_cast<DWORD_PTR>(this))) return false;
  control_ = control;
  return true;
}

void ControlSubclass::Remove() {
  if (control_ == nullptr) return;
  ::RemoveWindowSubclass(control_, &ControlSubclass::Proc, Id());
  control_ = nullptr;
}

LRESULT ControlSubclass::Default(UINT message, WPARAM wparam, LPARAM lparam) const {
  return ::DefSubclassProc(control_, message, wparam, lparam);
}

LRESULT CALLBACK ControlSubclass::Proc(HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                       DWORD_PTR self) {
  auto& subclass = *reinterpret_cast<ControlSubclass*>(self);
  if (message == WM_NCDESTROY) {
    subclass.Remove();
    return ::DefSubclassProc(control, message, wparam, lparam);
  }
  return Guarded([&] { return ::DefSubclassProc(control, message, wparam, lparam); },
                 [&] { return subclass.handler_(message, wparam, lparam); });
}

}  // namespace quillet
