#pragma once

namespace quillet {

// The application's title, shown by every message box without one of its own.
inline constexpr wchar_t kAppTitle[] = L"Vellmar的Quillet";

// Prefixes of the file errors; the system's message follows.
inline constexpr wchar_t kReadFailedPrefix[] = L"无法读取 data.txt：";
inline constexpr wchar_t kWriteFailedPrefix[] = L"无法写入 data.txt：";
// Follows a failed save while closing; OK quits anyway, Cancel stays.
inline constexpr wchar_t kQuitAnywaySuffix[] = L"\n\n仍要退出吗？未保存的修改将丢失。";

}  // namespace quillet
