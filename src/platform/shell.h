#pragma once

#include <string>

namespace quillet {

// The Windows shell's "open" verb: the whole target is the file to open,
// without parameters, started in `directory` (empty: the shell's choice);
// returns without waiting for what it started.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void Open(const std::wstring& file, const std::wstring& directory) = 0;
};

}  // namespace quillet
