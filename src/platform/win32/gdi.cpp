#include "platform/win32/gdi.h"

#include <cmath>

namespace quillet {
namespace {

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  const WindowDC screen(nullptr);
  ::EnumFontFamiliesExW(screen.get(), &wanted, &FoundFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

Font MakeFont(const wchar_t* face, float points, bool bold, BYTE charset, unsigned dpi) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(points * static_cast<float>(dpi) / 72.0f));
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = charset;
  font.lfQuality = CLEARTYPE_QUALITY;
  if (FaceInstalled(face)) {
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  } else {
    LOGFONTW gui{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    lstrcpynW(font.lfFaceName, gui.lfFaceName, LF_FACESIZE);
    font.lfCharSet = DEFAULT_CHARSET;
  }
  return Font(::CreateFontIndirectW(&font));
}

unsigned MonitorDpi(HMONITOR monitor) {
  // In shcore.dll from Windows 8.1 on; looked up so that the program still starts without it.
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto get_dpi = [] {
    const HMODULE shcore = ::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return shcore == nullptr ? nullptr
                             : reinterpret_cast<GetDpiForMonitorFn>(
                                   reinterpret_cast<void*>(::GetProcAddress(shcore, "GetDpiForMonitor")));
  }();
  UINT x = 0, y = 0;
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  if (get_dpi != nullptr && monitor != nullptr && SUCCEEDED(get_dpi(monitor, kEffectiveDpi, &x, &y)) && y > 0) return y;
  return WindowDpi(nullptr);
}

unsigned WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi != nullptr && hwnd != nullptr) {
    if (const UINT dpi = get_dpi(hwnd)) return dpi;
  }
  const WindowDC screen(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<unsigned>(dpi) : 96u;
}

}  // namespace quillet
