#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillet {

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
