#pragma once

#include <windows.h>

#include <utility>

namespace quillet {

// Owns a kernel handle and closes it once. `Invalid` is the value the opening
// function returns on failure: INVALID_HANDLE_VALUE for files, nullptr for most
// other kernel objects.
template <HANDLE (*Invalid)()>
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != Invalid() && handle_ != nullptr; }
  explicit operator bool() const { return valid(); }

  HANDLE release() { return std::exchange(handle_, Invalid()); }
  // Closes the handle held now; returns false when CloseHandle reported an error.
  bool reset(HANDLE handle = Invalid()) {
    bool closed = true;
    if (valid()) closed = ::CloseHandle(handle_) != FALSE;
    handle_ = handle;
    return closed;
  }

 private:
  HANDLE handle_ = Invalid();
};

namespace handles_detail {
inline HANDLE InvalidFile() { return INVALID_HANDLE_VALUE; }
}  // namespace handles_detail

// A file from CreateFileW.
using FileHandle = ScopedHandle<&handles_detail::InvalidFile>;

// A menu from CreatePopupMenu, destroyed once.
class MenuHandle {
 public:
  MenuHandle() = default;
  explicit MenuHandle(HMENU menu) : menu_(menu) {}
  ~MenuHandle() { reset(); }
  MenuHandle(const MenuHandle&) = delete;
  MenuHandle& operator=(const MenuHandle&) = delete;
  HMENU get() const { return menu_; }
  void reset(HMENU menu = nullptr) {
    if (menu_ != nullptr) ::DestroyMenu(menu_);
    menu_ = menu;
  }
  explicit operator bool() const { return menu_ != nullptr; }

 private:
  HMENU menu_ = nullptr;
};

// A hot key of a window, registered until this goes; the window must still
// exist then.
class HotKeyRegistration {
 public:
  HotKeyRegistration() = default;
  ~HotKeyRegistration() {
    if (window_ != nullptr) ::UnregisterHotKey(window_, id_);
  }
  HotKeyRegistration(const HotKeyRegistration&) = delete;
  HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;
  // False when another program holds the key.
  bool Register(HWND window, int id, UINT modifiers, UINT key) {
    if (!::RegisterHotKey(window, id, modifiers, key)) return false;
    window_ = window;
    id_ = id;
    return true;
  }

 private:
  HWND window_ = nullptr;
  int id_ = 0;
};

// Memory that the system allocated for us with LocalAlloc (FormatMessageW's buffer).
template <typename T>
class LocalMemory {
 public:
  LocalMemory() = default;
  ~LocalMemory() {
    if (memory_) ::LocalFree(memory_);
  }
  LocalMemory(const LocalMemory&) = delete;
  LocalMemory& operator=(const LocalMemory&) = delete;

  T* get() const { return memory_; }
  // For functions that allocate and return the pointer through an out-parameter.
  T** out() {
    if (memory_) ::LocalFree(memory_);
    memory_ = nullptr;
    return &memory_;
  }

 private:
  T* memory_ = nullptr;
};

}  // namespace quillet
