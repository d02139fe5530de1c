// The yardstick for start-up and memory: a program that only creates and
// shows an empty borderless 513 x 384 window, centred, and waits.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = CreateSolidBrush(RGB(14, 151, 231));
  wc.lpszClassName = L"QuilletBaseline";
  RegisterClassW(&wc);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - 513) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - 384) / 2;
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, L"Quillet Baseline", WS_POPUP, x, y,
                              513, 384, nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
