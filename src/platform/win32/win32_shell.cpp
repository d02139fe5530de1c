#include "platform/win32/win32_shell.h"

#include <shellapi.h>

namespace quillet {

void Win32Shell::Open(const std::wstring& target) {
  // The shell reports its own failures to the user; there is nothing more to do here.
  ::ShellExecuteW(owner_, L"open", target.c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace quillet
