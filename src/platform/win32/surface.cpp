#include "platform/win32/surface.h"

#include <utility>

namespace quillet {

bool Surface::Create(HWND parent, const RECT& pixels, Events events, const wchar_t* name, bool visible) {
  events_ = std::move(events);
  WindowParams params{L"QuilletSurface"};
  params.style =
      WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0) | (events_.tab_stop ? WS_TABSTOP : 0);
  params.rect = pixels;
  params.parent = parent;
  params.text = name;
  return MessageTarget::Create(params) != nullptr;
}

LRESULT Surface::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint callback covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = ::BeginPaint(hwnd(), &ps);
      RECT client;
      ::GetClientRect(hwnd(), &client);
      if (events_.paint) events_.paint(dc, client);
      if (events_.tab_stop && ::GetFocus() == hwnd()) {
        RECT focus = client;
        ::InflateRect(&focus, -2, -2);
        ::DrawFocusRect(dc, &focus);
      }
      ::EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (events_.press) {
        ::SetCapture(hwnd());
        events_.press(message == WM_LBUTTONDBLCLK);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!events_.release) return 0;
      const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      RECT client;
      ::GetClientRect(hwnd(), &client);
      const bool clicked = events_.release(::PtInRect(&client, at) != FALSE);
      // The capture ends before the click runs: it may open a window or end the program.
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      if (clicked && events_.click) events_.click();
      return 0;
    }
    case WM_MOUSEMOVE:
      // The message's own button state: the system's key state can lag
      // behind a drag that the window manager carried out.
      if ((wparam & MK_LBUTTON) && events_.mouse_move) events_.mouse_move();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (events_.tab_stop) ::InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_CAPTURECHANGED:
      if (events_.capture_lost) events_.capture_lost();
      return 0;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return ::SendMessageW(::GetParent(hwnd()), message, wparam, lparam);
  }
  return Default(message, wparam, lparam);
}

}  // namespace quillet
