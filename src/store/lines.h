#pragma once

#include <cstring>
#include <cwchar>
#include <string_view>

namespace quillet {

inline const char* FindCr(const char* s, std::size_t n) { return static_cast<const char*>(std::memchr(s, '\r', n)); }
inline const wchar_t* FindCr(const wchar_t* s, std::size_t n) { return std::wmemchr(s, L'\r', n); }

// Calls `on_line(line)` for every line of `text`, in order. CR LF or a lone CR
// ends a line; a lone LF stays part of it. A terminator at the very end starts
// no further line, and two terminators in a row enclose an empty line, so an
// empty text has no lines and a single CR LF has one empty line.
template <class Char, class OnLine>
void ForEachLine(std::basic_string_view<Char> text, OnLine&& on_line) {
  const std::size_t n = text.size();
  std::size_t start = 0;
  while (start < n) {
    const Char* cr = FindCr(text.data() + start, n - start);
    if (cr == nullptr) break;
    std::size_t i = static_cast<std::size_t>(cr - text.data());
    on_line(text.substr(start, i - start));
    if (i + 1 < n && text[i + 1] == Char('\n')) ++i;
    start = i + 1;
  }
  if (start < n) on_line(text.substr(start));
}

}  // namespace quillet
