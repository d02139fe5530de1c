#pragma once

#include <windows.h>

namespace quillet {

// The two 20 x 20 pictures of the title strip, drawn to fit `rect` over `background`.
void PaintHouse(HDC dc, const RECT& rect, COLORREF background);
void PaintCross(HDC dc, const RECT& rect, COLORREF background);

}  // namespace quillet
