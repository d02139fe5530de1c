#pragma once

#include <windows.h>

#include <functional>

namespace quillet {

// A subclass of a control (comctl32's SetWindowSubclass): the control's
// messages reach `handler` first, which passes on what it leaves through
// Default. Removed when this goes or when the control is destroyed, whichever
// comes first. No exception leaves the handler for the system: it is reported
// (see boundary.h) and the control handles the message itself.
class ControlSubclass {
 public:
  using Handler = std::function<LRESULT(UINT message, WPARAM wparam, LPARAM lparam)>;

  ControlSubclass() = default;
  ~ControlSubclass() { Remove(); }
  ControlSubclass(const ControlSubclass&) = delete;
  ControlSubclass& operator=(const ControlSubclass&) = delete;

  // False when the control is nullptr or the system refused.
  bool Install(HWND control, Handler handler);
  void Remove();

  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) const;

 private:
  static LRESULT CALLBACK Proc(HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR self);
  UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }

  HWND control_ = nullptr;
  Handler handler_;
};

}  // namespace quillet
