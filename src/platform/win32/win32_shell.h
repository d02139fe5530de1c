#pragma once

#include <windows.h>

#include "platform/environment.h"
#include "platform/shell.h"

namespace quillet {

// The process's environment and the file system, as the shell sees them.
class Win32Environment final : public Environment {
 public:
  std::optional<std::wstring> Variable(const std::wstring& name) const override;
  bool Exists(const std::wstring& path) const override;
};

// ShellExecuteW with the "open" verb; any error dialog of the shell belongs
// to the owner window (which may be none).
class Win32Shell final : public Shell {
 public:
  explicit Win32Shell(HWND owner = nullptr) : owner_(owner) {}
  void set_owner(HWND owner) { owner_ = owner; }

  void Open(const std::wstring& file, const std::wstring& directory) override;

 private:
  HWND owner_;
};

}  // namespace quillet
