#pragma once

#include <windows.h>

#include "ui/palette.h"

namespace quillet {

constexpr COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

// Fills `rect` with one colour.
void Fill(HDC dc, const RECT& rect, COLORREF colour);

// A label: its background, then its caption in one line in `font`, aligned
// by the DrawTextW flags `align`.
void PaintLabel(HDC dc, const RECT& rect, const wchar_t* caption, HFONT font, COLORREF background, COLORREF ink,
                UINT align);

// The two 20 x 20 pictures of the title strips, drawn to fit `rect` over `background`.
void PaintHouse(HDC dc, const RECT& rect, COLORREF background);
void PaintCross(HDC dc, const RECT& rect, COLORREF background);

}  // namespace quillet
