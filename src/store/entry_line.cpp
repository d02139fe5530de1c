#include "store/entry_line.h"

namespace quillet {

std::optional<SplitLine> SplitEntryLine(std::wstring_view line) {
  const std::size_t colon = line.find(L':');
  if (colon == std::wstring_view::npos) return std::nullopt;
  return SplitLine{line.substr(0, colon), line.substr(colon + 1)};
}

std::wstring EntryPart(std::wstring_view line, std::wstring_view side) {
  const auto split = SplitEntryLine(line);
  if (side == L"l") return split ? std::wstring(split->keyword) : std::wstring();
  if (side == L"r") return split ? std::wstring(split->target) : std::wstring(line);
  return {};
}

std::wstring MakeEntryLine(std::wstring_view keyword, std::wstring_view target) {
  std::wstring line;
  line.reserve(keyword.size() + 1 + target.size());
  line.append(keyword).append(1, L':').append(target);
  return line;
}

}  // namespace quillet
