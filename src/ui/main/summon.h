#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/file_port.h"
#include "ui/keys.h"

namespace quillet {

// A global key chord: one key with its modifiers.
struct Chord {
  int key = 0;  // a virtual key code
  bool ctrl = false, alt = false, shift = false, win = false;
};

// The chord that summons the main window unless Quillet.ini says otherwise:
// Ctrl+Alt+F3. No Windows shortcut, browser, Office program, Visual Studio,
// JetBrains IDE or Chinese input method binds it; Ctrl+Alt with an F key is
// no AltGr character on any layout. (Ctrl+Alt+F5 to F9 and F12 are taken by
// JetBrains IDEs and Excel, F10 and F11 by Visual Studio, F1 and F2 by Word.)
inline constexpr Chord kDefaultSummonChord{kKeyF3, /*ctrl=*/true, /*alt=*/true};

// A chord as the README writes it, "Ctrl+Alt+F3": modifiers (Ctrl, Alt,
// Shift, Win) and one key name (A-Z, 0-9, F1-F24, Space, Insert, Delete, Home,
// End, PageUp, PageDown, Left, Up, Right, Down, Pause), joined by "+". Names
// are read in any case and spaces around them are dropped, as Windows reads
// its own .ini files. Nothing when it isn't one: an unknown name, a modifier
// twice, no key or two, or only Shift (which would take a character from
// every program).
std::optional<Chord> ParseChord(std::wstring_view text);
std::wstring ChordName(const Chord& chord);

// The summoning key as Quillet.ini beside the program sets it.
struct SummonSetting {
  std::optional<Chord> chord = kDefaultSummonChord;  // nothing: switched off
  std::wstring refused;     // a value that was not understood (shortened); the default stays in force
  std::wstring read_error;  // the system's words when the file is there but can't be read
};

// From the file's bytes: "SummonKey=" in the section "[Quillet]"; an empty
// value or "none" switches the key off. UTF-8 (with or without its mark) and
// UTF-16 with its mark are read. A missing file or key keeps the default.
SummonSetting ReadSummonSetting(const ReadOutcome& file);

// The keyword box's tool tip: a line more for a value that was not
// understood, a file that could not be read, or a chord another program holds.
std::wstring Text1ToolTip(const SummonSetting& setting, bool chord_taken);

}  // namespace quillet
