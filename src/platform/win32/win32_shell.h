#pragma once

#include <windows.h>

#include "platform/shell.h"

namespace quillet {

// ShellExecuteW with the "open" verb; any error dialog of the shell belongs
// to the owner window (which may be none).
class Win32Shell final : public Shell {
 public:
  explicit Win32Shell(HWND owner = nullptr) : owner_(owner) {}
  void set_owner(HWND owner) { owner_ = owner; }
  HWND owner() const { return owner_; }

  void Open(const std::wstring& target) override;

 private:
  HWND owner_;
};

}  // namespace quillet
