#pragma once

namespace quillet {

enum class WindowState { kNormal = 0, kMinimized = 1, kMaximized = 2 };

struct PixelPoint {
  int x = 0;
  int y = 0;
};

// Outer rectangle in screen pixels; right and bottom are one past the last pixel.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A top-level window. Positions and sizes are twips (1/1440 inch) in single
// precision; the platform turns them into whole pixels at the window's DPI.
class Window {
 public:
  virtual ~Window() = default;
  // Visible, without taking the activation from another window.
  virtual void Show() = 0;
  // Brings it to the front and gives it the keyboard.
  virtual void Activate() = 0;
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;
  // Whether it is the window the user works in (the foreground window).
  virtual bool IsActive() const = 0;
  virtual float Left() const = 0;
  virtual float Top() const = 0;
  virtual float Width() const = 0;
  virtual float Height() const = 0;
  // Each moves the window at once.
  virtual void SetLeft(float twips) = 0;
  virtual void SetTop(float twips) = 0;
  // Moves its top-left corner to a place in screen pixels.
  virtual void MoveTo(PixelPoint top_left) = 0;
  // Topmost, above every other window (topmost or not), without moving or
  // resizing; `show` also shows and activates it, else the activation stays
  // where it is.
  virtual void MakeTopmost(bool show) = 0;
  virtual WindowState State() const = 0;
  // The DPI its twips are measured at: the one of the monitor it is on.
  virtual unsigned Dpi() const = 0;
  // False when the system could not tell; `rect` is then left as it was.
  virtual bool OuterRect(PixelRect& rect) const = 0;
  // Lets the window system move the window with the pointer while the left button is held.
  virtual void BeginSystemDrag() = 0;
};

}  // namespace quillet
