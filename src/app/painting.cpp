#include "app/painting.h"

#include "platform/win32/gdi.h"

namespace quillet {
namespace {

constexpr COLORREF kInk = ToColorRef(kWhite);

// Maps the 20 x 20 design grid onto the rectangle.
struct Grid {
  const RECT& rect;
  int X(int x) const { return rect.left + MulDiv(x, rect.right - rect.left, 20); }
  int Y(int y) const { return rect.top + MulDiv(y, rect.bottom - rect.top, 20); }
  int Scale(int n) const { return MulDiv(n, rect.right - rect.left, 20); }
};

}  // namespace

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  ::SetBkColor(dc, colour);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void PaintLabel(HDC dc, const RECT& rect, const wchar_t* caption, HFONT font, COLORREF background, COLORREF ink,
                UINT align) {
  Fill(dc, rect, background);
  Selected selected(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ink);
  RECT text = rect;
  ::DrawTextW(dc, caption, -1, &text, align | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintHouse(HDC dc, const RECT& rect, COLORREF background) {
  Fill(dc, rect, background);
  const Grid g{rect};
  Brush ink(::CreateSolidBrush(kInk));
  Pen none(::CreatePen(PS_NULL, 0, 0));
  Selected pen(dc, none.get());
  Selected brush(dc, ink.get());
  const POINT roof[] = {{g.X(10), g.Y(2)}, {g.X(19), g.Y(10)}, {g.X(1), g.Y(10)}};
  ::Polygon(dc, roof, 3);
  ::Rectangle(dc, g.X(4), g.Y(10), g.X(17), g.Y(19));
  const RECT door{g.X(8), g.Y(13), g.X(12), g.Y(19)};
  Fill(dc, door, background);
}

void PaintCross(HDC dc, const RECT& rect, COLORREF background) {
  Fill(dc, rect, background);
  const Grid g{rect};
  Pen ink(::CreatePen(PS_SOLID, g.Scale(3) > 0 ? g.Scale(3) : 1, kInk));
  Selected pen(dc, ink.get());
  ::MoveToEx(dc, g.X(4), g.Y(4), nullptr);
  ::LineTo(dc, g.X(16), g.Y(16));
  ::MoveToEx(dc, g.X(16), g.Y(4), nullptr);
  ::LineTo(dc, g.X(4), g.Y(16));
}

}  // namespace quillet
