#pragma once

#include <array>

#include "ui/layout.h"
#include "ui/texts.h"

namespace quillet {

// The editor's design, in twips (15 twips are one pixel at 96 DPI).
inline constexpr float kForm2Width = 6510.0f;
inline constexpr float kForm2Height = 2400.0f;

enum class Form2Control { kTitle, kImage3, kPicture1, kLabel1, kText1, kLabel2, kText2, kLabel3 };

// Every font of the editor is made for GB2312.
inline constexpr int kForm2TitleFont = 0;
inline constexpr int kForm2TextFont = 1;
inline constexpr std::array<ControlFont, 2> kForm2Fonts{{
    {L"Consolas", 12.0f, true, true},
    {L"微软雅黑", 12.0f, false, true},
}};

// Creation order; the panel comes before its children.
inline constexpr std::array<ControlLayout<Form2Control>, 8> kForm2Layout{{
    {Form2Control::kTitle, false, 75, 15, 840, 300, kForm2TitleCaption, kForm2TitleFont},
    {Form2Control::kImage3, false, 6165, 0, 300, 300, L"", kNoFont},
    {Form2Control::kPicture1, false, 60, 360, 6390, 1965, L"", kNoFont},
    {Form2Control::kLabel1, true, 60, 240, 1215, 390, kKeywordCaption, kForm2TextFont},
    {Form2Control::kText1, true, 1395, 255, 4365, 375, L"", kForm2TextFont},
    {Form2Control::kLabel2, true, 75, 795, 1170, 405, kTargetCaption, kForm2TextFont},
    {Form2Control::kText2, true, 1380, 810, 4380, 405, L"", kForm2TextFont},
    {Form2Control::kLabel3, true, 1950, 1440, 2505, 375, kOkCaption, kForm2TextFont},
}};

}  // namespace quillet
