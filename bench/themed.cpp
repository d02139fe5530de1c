// The second yardstick for start-up and memory: the baseline's borderless
// topmost 513 x 384 window with what the system draws for the launcher: the
// version-6 common controls (from its manifest), a themed edit box, and a
// list box with a scroll bar and SimSun text. The difference between this
// window and the launcher is the launcher's own work.
#include <windows.h>

#include <commctrl.h>

#include <string>

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
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = CreateSolidBrush(RGB(14, 151, 231));
  wc.lpszClassName = L"QuilletThemed";
  RegisterClassW(&wc);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - 513) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - 384) / 2;
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, L"Quillet Themed", WS_POPUP, x, y,
                              513, 384, nullptr, nullptr, instance, nullptr);
  const HFONT simsun = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
  CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 120, 4, 280, 20, hwnd, nullptr,
                  instance, nullptr);
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                              4, 40, 505, 340, hwnd, nullptr, instance, nullptr);
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(simsun), FALSE);
  for (int i = 0; i < 100; ++i) {
    const std::wstring line = L"记事本" + std::to_wstring(i) + L":C:\\Windows\\notepad.exe";
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  ShowWindow(hwnd, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
