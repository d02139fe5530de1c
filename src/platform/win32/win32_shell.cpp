#include "platform/win32/win32_shell.h"

#include <shellapi.h>

#include "platform/win32/system_library.h"

namespace quillet {

void Win32Shell::Open(const std::wstring& target) {
  // The shell reports its own failures to the user; there is nothing more to do here.
  static const auto shell_execute = SystemFunction<decltype(&::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (shell_execute != nullptr) shell_execute(owner_, L"open", target.c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace quillet
