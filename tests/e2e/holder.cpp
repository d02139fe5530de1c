// A hostile neighbour for the end-to-end tests of file faults.
//
//   holder.exe hold PATH        opens PATH for reading and writing with no
//                               sharing at all, so nobody else can open it,
//                               then writes holder.ready beside itself and
//                               keeps the file open until a file named
//                               release appears beside it (or it is killed).
//                               When the open fails it writes the error code
//                               to holder.failed instead and exits 1.
//   holder.exe readonly PATH    sets the DOS read-only attribute of PATH.
//   holder.exe writable PATH    clears it again.
//   holder.exe message CODE OUT writes the system's text for the error CODE,
//                               without its line break, to OUT in UTF-8.
//
// GUI subsystem: a console of its own would take the keyboard focus from the
// program under test.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

std::wstring own_folder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/"));
}

std::string to_utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool write_file(const std::wstring& path, const std::string& bytes) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int hold(const std::wstring& path) {
  const std::wstring folder = own_folder();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    write_file(folder + L"\\holder.failed", std::to_string(GetLastError()) + "\n");
    return 1;
  }
  if (!write_file(folder + L"\\holder.ready", "held\n")) {
    CloseHandle(file);
    return 1;
  }
  const std::wstring release = folder + L"\\release";
  while (!exists(release)) Sleep(50);
  CloseHandle(file);
  return 0;
}

int set_readonly(const std::wstring& path, bool on) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return 1;
  const DWORD wanted = on ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
  if (!SetFileAttributesW(path.c_str(), wanted)) return 1;
  // Report success only when the system now says what was asked.
  const DWORD now = GetFileAttributesW(path.c_str());
  return now != INVALID_FILE_ATTRIBUTES && ((now & FILE_ATTRIBUTE_READONLY) != 0) == on ? 0 : 1;
}

int message(const wchar_t* code_text, const std::wstring& out) {
  wchar_t* end = nullptr;
  const unsigned long code = std::wcstoul(code_text, &end, 10);
  if (end == code_text || *end != L'\0') return 2;
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length != 0 && buffer != nullptr) text.assign(buffer, length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  if (text.empty()) return 1;
  return write_file(out, to_utf8(text)) ? 0 : 2;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 3) return 2;
  const std::wstring command = argv[1];
  if (command == L"hold" && argc == 3) return hold(argv[2]);
  if (command == L"readonly" && argc == 3) return set_readonly(argv[2], true);
  if (command == L"writable" && argc == 3) return set_readonly(argv[2], false);
  if (command == L"message" && argc == 4) return message(argv[2], argv[3]);
  return 2;
}
