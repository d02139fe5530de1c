#pragma once

#include <windows.h>

#include "platform/application.h"
#include "platform/screen.h"
#include "platform/text_box.h"
#include "platform/window.h"

namespace quillet {

// A single-line edit control.
class Win32TextBox final : public TextBox {
 public:
  void Attach(HWND edit) { hwnd_ = edit; }
  HWND hwnd() const { return hwnd_; }
  std::wstring Text() const override;
  void SetText(const std::wstring& text) override;
  // Brings its window to the front when that is visible, then takes the focus.
  void Focus() override;
  void SelectAll() override;

 private:
  HWND hwnd_ = nullptr;
};

// A top-level window measured in twips at its own DPI.
class Win32Window final : public Window {
 public:
  void Attach(HWND window) { hwnd_ = window; }
  HWND hwnd() const { return hwnd_; }
  void Show() override;  // visible, without activating it
  void Activate() override;
  void Hide() override;
  bool IsVisible() const override;
  bool IsActive() const override;
  float Left() const override;
  float Top() const override;
  float Width() const override;
  float Height() const override;
  void SetLeft(float twips) override;
  void SetTop(float twips) override;
  void MoveTo(PixelPoint top_left) override;
  void MakeTopmost(bool show) override;
  WindowState State() const override;
  unsigned Dpi() const override;
  bool OuterRect(PixelRect& rect) const override;
  void BeginSystemDrag() override;

 private:
  RECT Rect() const;

  HWND hwnd_ = nullptr;
};

class Win32Screen final : public Screen {
 public:
  Monitor Primary() const override;
  std::vector<Monitor> Monitors() const override;
  bool CursorPos(PixelPoint& point) const override;
};

// Hides the main window and ends the message loop; the windows are destroyed
// with their owners on the way out.
class Win32Application final : public Application {
 public:
  void SetMainWindow(HWND window) { main_ = window; }
  void Quit() override;
  void BlockEndOfSession(const std::wstring& reason) override;
  void EndSessionAllowed() override;

 private:
  HWND main_ = nullptr;
};

}  // namespace quillet
