#include "platform/win32/system_error.h"

#include "platform/win32/handles.h"

namespace quillet {
namespace {

bool IsTrailingJunk(wchar_t c) { return c == L'\r' || c == L'\n' || c == L' ' || c == L'\t'; }

}  // namespace

std::wstring SystemErrorMessage(DWORD code) {
  LocalMemory<wchar_t> buffer;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.out()), 0, nullptr);
  std::wstring text;
  if (length != 0 && buffer.get() != nullptr) text.assign(buffer.get(), length);
  // The system ends its messages with a line break, sometimes after a space.
  while (!text.empty() && IsTrailingJunk(text.back())) text.pop_back();
  if (text.empty()) text = L"系统错误";
  return text + L" (" + std::to_wstring(code) + L")";
}

IoStatus SystemFailure(DWORD code) { return IoStatus::Fail(SystemErrorMessage(code)); }

IoStatus LastErrorFailure() { return SystemFailure(::GetLastError()); }

}  // namespace quillet
