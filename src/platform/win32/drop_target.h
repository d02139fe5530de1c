#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleidl.h>

#include <functional>

#include "platform/drop_data.h"

namespace quillet {

// OLE on this thread for as long as it lives (drag and drop needs it).
class OleInitialization {
 public:
  OleInitialization() : result_(::OleInitialize(nullptr)) {}
  ~OleInitialization() {
    if (SUCCEEDED(result_)) ::OleUninitialize();
  }
  OleInitialization(const OleInitialization&) = delete;
  OleInitialization& operator=(const OleInitialization&) = delete;
  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};

// Makes a window an OLE drop target for text and file lists: registered with
// Register once the window exists, revoked by Revoke or the destructor, which
// must run before the window is destroyed. OleInitialize must have been called
// on the thread.
class DropTargetRegistration {
 public:
  using Callback = std::function<void(const DropData&)>;

  DropTargetRegistration() = default;
  ~DropTargetRegistration() { Revoke(); }
  DropTargetRegistration(const DropTargetRegistration&) = delete;
  DropTargetRegistration& operator=(const DropTargetRegistration&) = delete;

  // Returns the HRESULT of RegisterDragDrop.
  HRESULT Register(HWND window, Callback on_drop);
  void Revoke();

 private:
  HWND window_ = nullptr;
};

}  // namespace quillet
