#pragma once

#include <string>

namespace quillet {

// The Windows shell's "open" verb: the whole target is the file to open,
// without parameters; returns without waiting for what it started.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void Open(const std::wstring& target) = 0;
};

}  // namespace quillet
