#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillet {

// The effects a drag source allows and a drop answers, numbered as the
// system numbers them.
inline constexpr unsigned kDropNone = 0, kDropCopy = 1, kDropMove = 2, kDropLink = 4;

// What a drop on the list or a target box does with what the source allows:
// a copy where it is allowed, else a link (browsers' links and Start menu
// items often allow nothing else); never a move, after which the source
// would delete what it gave.
constexpr unsigned ChooseDropEffect(unsigned allowed) {
  return (allowed & kDropCopy) ? kDropCopy : (allowed & kDropLink) ? kDropLink : kDropNone;
}

// What a drag and drop delivers. Every read is bounded by what the source
// really provides; a source that fails a request offers nothing for it.
class DropData {
 public:
  virtual ~DropData() = default;
  // The dropped plain text (Unicode text preferred, else 8-bit text in the
  // ANSI code page), or nothing when none is offered.
  virtual std::optional<std::wstring> Text() const = 0;
  // The full paths of the dropped files, in the order the drop lists them.
  virtual std::vector<std::wstring> Files() const = 0;

  // What a drop on a target box or the list means: the dropped text, else
  // the first file's path; nothing when the drop offers neither.
  std::optional<std::wstring> TextOrFirstFile() const {
    if (auto text = Text()) return text;
    auto files = Files();
    if (files.empty()) return std::nullopt;
    return std::move(files.front());
  }
};

}  // namespace quillet
