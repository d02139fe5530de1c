// The Windows side of the end-to-end tests, one program with subcommands:
//   helper.exe texts OUT TITLE         the texts of the controls of the window
//                                      titled TITLE (a message box's message),
//                                      in UTF-8, each ended by a NUL
//   helper.exe drop X Y text TEXT      a real OLE drop on a screen point, with
//   helper.exe drop X Y files PATH...  no button held; exit 1 when none happened
//   helper.exe dpi TITLE DPI           tells the window titled TITLE that it
//                                      moved to a monitor at DPI
// Copied under any other name (X.exe, ...) it is a target stand-in: it appends
// "<creation time of its process> <its name>" to witness.log beside itself.
// GUI subsystem: a console of its own would take the focus from the program.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/drag_source.h"

namespace {

std::string Utf8(const std::wstring& text) {
  std::string out(text.size() * 4, '\0');
  out.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

// Appends the bytes at the file's end, creating it when missing (targets
// started together never overwrite each other's lines).
bool Append(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// Appends the child window's text and a NUL to the texts.
BOOL CALLBACK AddText(HWND child, LPARAM texts) {
  std::wstring text(GetWindowTextLengthW(child) + 1, L'\0');
  text.resize(GetWindowTextW(child, text.data(), static_cast<int>(text.size())));
  *reinterpret_cast<std::wstring*>(texts) += text + L'\0';
  return TRUE;
}

// A dragged file list as the file browser offers one: CF_HDROP holding
// DROPFILES with wide names, each ended by a NUL and the list by one more.
quillet::ClipboardBlock FileListBlock(const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names.resize(names.size() + (paths.empty() ? 2 : 1), L'\0');
  const DROPFILES header{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
  return {CF_HDROP, std::string(reinterpret_cast<const char*>(&header), sizeof header) +
                        std::string(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t))};
}

int Drop(int x, int y, std::vector<quillet::ClipboardBlock> blocks) {
  if (FAILED(OleInitialize(nullptr))) return 1;
  SetCursorPos(x, y);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = quillet::DragBlocks(std::move(blocks), &effect);
  OleUninitialize();
  return result == DRAGDROP_S_DROP ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring self(MAX_PATH * 8, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  const size_t slash = self.find_last_of(L"\\/") + 1;
  const std::wstring folder = self.substr(0, slash), name = self.substr(slash);
  if (argv == nullptr) return 2;
  if (_wcsicmp(name.c_str(), L"helper.exe") != 0) {
    FILETIME created{}, unused{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    const auto ticks = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    return Append(folder + L"witness.log", std::to_string(ticks) + " " + Utf8(name) + "\n") ? 0 : 3;
  }
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"texts" && argc == 4) {
    const HWND box = FindWindowW(nullptr, argv[3]);
    std::wstring texts;
    if (box == nullptr) return 1;
    EnumChildWindows(box, AddText, reinterpret_cast<LPARAM>(&texts));
    return Append(argv[2], Utf8(texts)) ? 0 : 2;
  }
  if (command == L"dpi" && argc == 4) {
    const HWND window = FindWindowW(nullptr, argv[2]);
    const int dpi = _wtoi(argv[3]);
    RECT suggested{};
    if (window == nullptr || !GetWindowRect(window, &suggested)) return 1;
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return 0;
  }
  if (command == L"drop" && argc >= 6) {
    const int x = _wtoi(argv[2]), y = _wtoi(argv[3]);
    if (std::wstring(argv[4]) == L"text") return Drop(x, y, quillet::TextBlocks(argv[5]));
    return Drop(x, y, {FileListBlock(std::vector<std::wstring>(argv + 5, argv + argc))});
  }
  return 2;
}
