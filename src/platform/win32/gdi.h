#pragma once

#include <windows.h>

#include <utility>

namespace quillet {

// Owns a GDI object (font, brush, bitmap, pen) and deletes it once.
template <class T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T object) : object_(object) {}
  ~GdiObject() {
    if (object_ != nullptr) ::DeleteObject(object_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  T get() const { return object_; }

 private:
  T object_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;

// The device context of a window's client area (of the screen for nullptr)
// from GetDC, released once.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context for one scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  ~Selected() { ::SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A font of the given face and size at `dpi`; when the face isn't installed,
// the system's default GUI font's face at the same size stands in.
Font MakeFont(const wchar_t* face, float points, bool bold, BYTE charset, unsigned dpi);

// The DPI that sizes a window's contents.
unsigned WindowDpi(HWND hwnd);

// The DPI of a monitor (the system's where the system can't tell).
unsigned MonitorDpi(HMONITOR monitor);

}  // namespace quillet
