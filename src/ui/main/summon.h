#pragma once

#include <string>

#include "ui/keys.h"
#include "ui/main/form1_layout.h"
#include "ui/texts.h"

namespace quillet {

// The one global key that summons the main window: Ctrl+Shift+F9. Windows
// binds no shortcut to it, the Chinese input methods toggle with other
// chords (Ctrl+Space, Shift+Space, Ctrl+Shift, Ctrl+.), and with no Alt in
// it, it is no AltGr character on any layout.
inline constexpr KeyPress kSummonChord{kKeyF9, /*shift=*/true, /*ctrl=*/true, /*alt=*/false};
inline constexpr wchar_t kSummonChordName[] = L"Ctrl+Shift+F9";

// The keyword box's tool tip; a second line when another program holds the chord.
inline std::wstring Text1ToolTip(bool summon_chord_taken) {
  std::wstring tip = kText1ToolTip;
  if (summon_chord_taken)
    tip += std::wstring(L"\n") + kSummonChordTakenPrefix + kSummonChordName + kSummonChordTakenSuffix;
  return tip;
}

}  // namespace quillet
