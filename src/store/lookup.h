#pragma once

#include <string>
#include <string_view>

#include "store/codec.h"

namespace quillet {

class EntryFile;

// Opens one target through the shell ("open" verb, whole target as the file).
class TargetOpener {
 public:
  virtual ~TargetOpener() = default;
  virtual void OpenTarget(const std::wstring& target) = 0;
};

// Reads the entry file afresh and opens the target of every line whose keyword
// equals one of the typed words, in file order, once per equal word. Typed text
// is cut at every single space (empty words included); comparison is exact and
// case-sensitive. A line without a colon has no keyword and never matches.
void LaunchByKeyword(const EntryFile& file, std::wstring_view typed, TargetOpener& opener);

// The same over bytes already read, `ansi` and `system_utf8` as for the entry file.
void LaunchInBytes(std::string_view file_bytes, const Codec& ansi, std::wstring_view typed, TargetOpener& opener,
                   bool system_utf8 = false);

}  // namespace quillet
