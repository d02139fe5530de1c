#include "platform/win32/win32_shell.h"

#include <shellapi.h>

#include "platform/win32/system_library.h"

namespace quillet {

void Win32Shell::Open(const std::wstring& file, const std::wstring& directory) {
  // The shell reports its own failures to the user; there is nothing more to do here.
  static const auto shell_execute = SystemFunction<decltype(&::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (shell_execute != nullptr) shell_execute(owner_, L"open", file.c_str(), L"", directory.c_str(), SW_SHOWNORMAL);
}

std::optional<std::wstring> Win32Environment::Variable(const std::wstring& name) const {
  // An '=' can't be part of a name; the system would read one as a drive's current folder.
  if (name.empty() || name.find(L'=') != std::wstring::npos) return std::nullopt;
  std::wstring value(64, L'\0');
  for (;;) {
    ::SetLastError(ERROR_SUCCESS);
    const DWORD n = ::GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (n == 0) {
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::wstring();  // set, and empty
    }
    if (n < value.size()) {
      value.resize(n);
      return value;
    }
    value.resize(n);  // n counts the terminating NUL when the buffer was too small
  }
}

bool Win32Environment::Exists(const std::wstring& path) const {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace quillet
