// A stand-in target for the end-to-end tests. Started under any name (X.exe,
// W.exe, ...), it appends that name and a newline to witness.log beside
// itself, so a scenario can see which targets ran. Witnesses started one
// right after the other race to write, so each also appends
// "<creation time of its process, 100 ns ticks> <name>" to witness.order:
// sorted by that time, the names come in the order the processes were
// created. It also appends "<name><TAB><its working directory>" to
// witness.cwd, so a scenario can see where a target was started.
#include <windows.h>

#include <string>

namespace {

// Full path of this executable, however long.
std::wstring own_path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string to_utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// Appends the bytes to the file, creating it when missing. FILE_APPEND_DATA
// alone makes every write land at the current end, so witnesses started
// together never overwrite each other's lines.
bool append(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::wstring working_directory() {
  std::wstring dir(GetCurrentDirectoryW(0, nullptr), L'\0');
  dir.resize(GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data()));
  return dir;
}

unsigned long long creation_ticks() {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

int wmain() {
  const std::wstring path = own_path();
  const size_t slash = path.find_last_of(L"\\/");
  if (path.empty() || slash == std::wstring::npos) return 2;

  const std::wstring dir = path.substr(0, slash + 1);
  const std::string name = to_utf8(path.substr(slash + 1));

  if (!append(dir + L"witness.cwd", name + "\t" + to_utf8(working_directory()) + "\n")) return 5;
  if (!append(dir + L"witness.order", std::to_string(creation_ticks()) + " " + name + "\n")) return 3;
  return append(dir + L"witness.log", name + "\n") ? 0 : 4;
}
