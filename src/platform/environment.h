#pragma once

#include <optional>
#include <string>

namespace quillet {

// What the system knows about where a target lives: the process's
// environment variables and the local file system.
class Environment {
 public:
  virtual ~Environment() = default;
  // The value of the variable `name`; nothing when it is not set.
  virtual std::optional<std::wstring> Variable(const std::wstring& name) const = 0;
  // Whether `path` names an existing file or folder.
  virtual bool Exists(const std::wstring& path) const = 0;
};

}  // namespace quillet
