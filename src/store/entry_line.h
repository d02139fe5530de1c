#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// An entry line is keyword ":" target; the first colon splits it, later ones
// belong to the target. Nothing is trimmed.
//
// A line without a colon has no keyword: "l" gives the empty text and "r" the
// whole line, and the lookup never matches it.
std::wstring EntryPart(std::wstring_view line, std::wstring_view side);

struct SplitLine {
  std::wstring_view keyword;
  std::wstring_view target;
};
// Nothing for a line without a colon.
std::optional<SplitLine> SplitEntryLine(std::wstring_view line);

// The entry line that the editor builds: keyword, ":", target, as typed.
std::wstring MakeEntryLine(std::wstring_view keyword, std::wstring_view target);

}  // namespace quillet
