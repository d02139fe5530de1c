#include "platform/win32/win32_controls.h"

#include <string>
#include <vector>

#include "platform/twips.h"
#include "platform/win32/gdi.h"

namespace quillet {

std::wstring Win32TextBox::Text() const {
  const int length = ::GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void Win32TextBox::SetText(const std::wstring& text) { ::SetWindowTextW(hwnd_, text.c_str()); }

void Win32TextBox::Focus() {
  const HWND top = ::GetAncestor(hwnd_, GA_ROOT);
  if (::IsWindowVisible(top) && ::GetForegroundWindow() != top) ::SetForegroundWindow(top);
  ::SetFocus(hwnd_);
}

void Win32TextBox::SelectAll() { ::SendMessageW(hwnd_, EM_SETSEL, 0, -1); }

void Win32Window::Show() { ::ShowWindow(hwnd_, SW_SHOWNA); }
void Win32Window::Activate() {
  ::SetForegroundWindow(hwnd_);
  ::SetActiveWindow(hwnd_);
}
void Win32Window::Hide() { ::ShowWindow(hwnd_, SW_HIDE); }
bool Win32Window::IsVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
bool Win32Window::IsActive() const { return hwnd_ != nullptr && ::GetForegroundWindow() == hwnd_; }

RECT Win32Window::Rect() const {
  RECT rect{};
  ::GetWindowRect(hwnd_, &rect);
  return rect;
}

float Win32Window::Left() const { return PixelsToTwips(Rect().left, WindowDpi(hwnd_)); }
float Win32Window::Top() const { return PixelsToTwips(Rect().top, WindowDpi(hwnd_)); }
float Win32Window::Width() const {
  const RECT r = Rect();
  return PixelsToTwips(r.right - r.left, WindowDpi(hwnd_));
}
float Win32Window::Height() const {
  const RECT r = Rect();
  return PixelsToTwips(r.bottom - r.top, WindowDpi(hwnd_));
}

void Win32Window::MoveTo(PixelPoint top_left) {
  ::SetWindowPos(hwnd_, nullptr, top_left.x, top_left.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetLeft(float twips) { MoveTo({TwipsToPixels(twips, WindowDpi(hwnd_)), Rect().top}); }
void Win32Window::SetTop(float twips) { MoveTo({Rect().left, TwipsToPixels(twips, WindowDpi(hwnd_))}); }

void Win32Window::MakeTopmost(bool show) {
  ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, (show ? SWP_SHOWWINDOW : SWP_NOACTIVATE) | SWP_NOMOVE | SWP_NOSIZE);
}

WindowState Win32Window::State() const {
  if (::IsIconic(hwnd_)) return WindowState::kMinimized;
  if (::IsZoomed(hwnd_)) return WindowState::kMaximized;
  return WindowState::kNormal;
}

unsigned Win32Window::Dpi() const { return WindowDpi(hwnd_); }

bool Win32Window::OuterRect(PixelRect& rect) const {
  RECT r;
  if (!::GetWindowRect(hwnd_, &r)) return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

void Win32Window::BeginSystemDrag() {
  ::ReleaseCapture();
  ::SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

Monitor Win32Screen::Primary() const {
  const HMONITOR primary = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(primary, &info)) {
    info.rcMonitor = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  const RECT& r = info.rcMonitor;
  return {{r.left, r.top, r.right, r.bottom}, MonitorDpi(primary)};
}

namespace {

// Adds one monitor to the list, the primary in front.
BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(handle, &info)) return TRUE;
  auto& found = *reinterpret_cast<std::vector<Monitor>*>(list);
  const RECT& r = info.rcMonitor;
  const Monitor m{{r.left, r.top, r.right, r.bottom}, MonitorDpi(handle)};
  found.insert((info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? found.begin() : found.end(), m);
  return TRUE;
}

}  // namespace

std::vector<Monitor> Win32Screen::Monitors() const {
  std::vector<Monitor> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) monitors.push_back(Primary());
  return monitors;
}

bool Win32Screen::CursorPos(PixelPoint& point) const {
  POINT p;
  if (!::GetCursorPos(&p)) return false;
  point = {p.x, p.y};
  return true;
}

void Win32Application::Quit() {
  if (main_ != nullptr) ::ShowWindow(main_, SW_HIDE);
  ::PostQuitMessage(0);
}

// The system shows the reason beside the program in its list of programs
// that keep the session from ending. A reason that can't be set still leaves
// the session held: the query's answer is what holds it.
void Win32Application::BlockEndOfSession(const std::wstring& reason) {
  if (main_ != nullptr) ::ShutdownBlockReasonCreate(main_, reason.c_str());
}

void Win32Application::EndSessionAllowed() {
  if (main_ != nullptr) ::ShutdownBlockReasonDestroy(main_);
}

}  // namespace quillet
