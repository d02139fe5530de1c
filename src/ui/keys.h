#pragma once

namespace quillet {

// Virtual key codes the windows act on (the same numbers on every layout).
inline constexpr int kKeyTab = 0x09;
inline constexpr int kKeyEnter = 0x0D;
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeySpace = 0x20;
inline constexpr int kKeyApps = 0x5D;  // the context-menu key
inline constexpr int kKeyF1 = 0x70;    // F1 to F24 follow one another
inline constexpr int kKeyF3 = 0x72;
inline constexpr int kKeyF9 = 0x78;
inline constexpr int kKeyF10 = 0x79;

// A key going down, with the modifiers held. Alt+key arrives from the system
// as a "system" key; it is the same key here.
struct KeyPress {
  int key = 0;
  bool shift = false, ctrl = false, alt = false;
  // The shift state as the key-down handlers number it: 1 Shift, 2 Ctrl, 4 Alt.
  int ShiftState() const { return (shift ? 1 : 0) | (ctrl ? 2 : 0) | (alt ? 4 : 0); }
};

// Characters a single-line box must not get: it beeps at the line breaks that
// Enter (CR) and Ctrl+Enter (LF) type. The key-down itself still reaches it.
inline bool IsBeepingLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

}  // namespace quillet
