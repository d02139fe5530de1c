#pragma once

#include <array>

#include "ui/layout.h"
#include "ui/texts.h"

namespace quillet {

// The main window's design, in twips (15 twips are one pixel at 96 DPI).
inline constexpr float kForm1Width = 7695.0f;
inline constexpr float kForm1Height = 5760.0f;

enum class Form1Control {
  kPmenu,
  kTitle,
  kText1,
  kImage1,
  kImage3,
  kList1,
  kCommand5,
  kCommand1,
  kCommand2,
  kCommand3,
  kCommand4
};

// The fonts, by their index in kForm1Fonts. SimSun is made for GB2312.
inline constexpr int kConsolas9 = 0;
inline constexpr int kConsolas105 = 1;
inline constexpr int kConsolas12Bold = 2;
inline constexpr int kSimSun9 = 3;
inline constexpr std::array<ControlFont, 4> kForm1Fonts{{
    {L"Consolas", 9.0f, false, false},
    {L"Consolas", 10.5f, false, false},
    {L"Consolas", 12.0f, true, false},
    {L"宋体", 9.0f, false, true},
}};

using Form1Layout = ControlLayout<Form1Control>;

// Creation order is also the stacking order (the strip lies over the list's top
// pixels). The four list buttons lie beyond the client area: only the keyboard
// reaches them. Command5 is never visible; only Enter runs it.
inline constexpr std::array<Form1Layout, 11> kForm1Layout{{
    {Form1Control::kPmenu, false, -15, -15, 9840, 375, L"", kNoFont},
    {Form1Control::kTitle, true, 120, 30, 2820, 300, kForm1WindowText, kConsolas12Bold},
    {Form1Control::kText1, true, 3330, 45, 3555, 285, L"", kConsolas105},
    {Form1Control::kImage1, true, 7005, 30, 300, 300, L"", kNoFont},
    {Form1Control::kImage3, true, 7350, 15, 300, 300, L"", kNoFont},
    {Form1Control::kList1, false, 60, 315, 7575, 5385, L"", kConsolas105},
    {Form1Control::kCommand5, false, 6015, 3750, 1050, 450, kCommand5Caption, kConsolas9},
    {Form1Control::kCommand1, false, 8220, 9120, 2280, 390, kCommand1Caption, kSimSun9},
    {Form1Control::kCommand2, false, 10740, 9120, 1245, 375, kCommand2Caption, kSimSun9},
    {Form1Control::kCommand3, false, 12195, 9120, 1335, 360, kCommand3Caption, kSimSun9},
    {Form1Control::kCommand4, false, 14115, 9120, 1575, 360, kCommand4Caption, kSimSun9},
}};

// Whether a control is seen when the window first shows: Command5 never is,
// and the four list buttons lie beyond the window's right edge. They can
// wait until the window has shown.
constexpr bool OnScreenAtStart(const Form1Layout& control) {
  return control.id != Form1Control::kCommand5 && control.left < kForm1Width;
}

// The keyboard's round after start-up: the keyword box first.
inline constexpr std::array<Form1Control, 6> kForm1TabOrder{Form1Control::kText1,    Form1Control::kList1,
                                                            Form1Control::kCommand1, Form1Control::kCommand2,
                                                            Form1Control::kCommand3, Form1Control::kCommand4};

}  // namespace quillet
