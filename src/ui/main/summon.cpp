#include "ui/main/summon.h"

#include <cwctype>
#include <vector>

#include "store/utf8_codec.h"
#include "ui/main/form1_layout.h"
#include "ui/texts.h"

namespace quillet {
namespace {

// Enough for any chord; a longer value is shown cut short.
constexpr std::size_t kShownValueLength = 40;

struct NamedKey {
  const wchar_t* name;
  int key;
};
constexpr NamedKey kNamedKeys[] = {
    {L"Space", kKeySpace}, {L"PageUp", 0x21}, {L"PageDown", 0x22}, {L"End", 0x23},
    {L"Home", 0x24},       {L"Left", 0x25},   {L"Up", 0x26},       {L"Right", 0x27},
    {L"Down", 0x28},       {L"Insert", 0x2D}, {L"Delete", 0x2E},   {L"Pause", 0x13},
};

bool IsAsciiSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; }

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && IsAsciiSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsAsciiSpace(s.back())) s.remove_suffix(1);
  return s;
}

// ASCII letters in any case; anything else must match exactly.
bool SameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<int> KeyOf(std::wstring_view name) {
  if (name.size() == 1) {
    const wchar_t c = name[0];
    if (c >= L'0' && c <= L'9') return c;
    if (c >= L'A' && c <= L'Z') return c;
    if (c >= L'a' && c <= L'z') return c - L'a' + L'A';
  }
  if (name.size() >= 2 && name.size() <= 3 && (name[0] == L'F' || name[0] == L'f')) {
    int n = 0;
    for (const wchar_t c : name.substr(1)) {
      if (c < L'0' || c > L'9') return std::nullopt;
      n = n * 10 + (c - L'0');
    }
    if (name[1] != L'0' && n >= 1 && n <= 24) return kKeyF1 + n - 1;
    return std::nullopt;
  }
  for (const NamedKey& named : kNamedKeys) {
    if (SameName(name, named.name)) return named.key;
  }
  return std::nullopt;
}

// The file's text: UTF-16 with its mark, else UTF-8 with or without one.
std::wstring DecodeIni(const std::string& bytes) {
  const auto at = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
    const bool little = at(0) == 0xFF;
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text += static_cast<wchar_t>(little ? at(i) | at(i + 1) << 8 : at(i) << 8 | at(i + 1));
    }
    return text;
  }
  const std::string_view view(bytes);
  return Utf8Codec().Decode(view.substr(view.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0));
}

// The value of SummonKey in [Quillet], if the file has one.
std::optional<std::wstring> SummonKeyValue(std::wstring_view text) {
  bool in_section = false;
  while (!text.empty()) {
    const std::size_t end = text.find(L'\n');
    const std::wstring_view line = Trim(text.substr(0, end));
    text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);
    if (line.empty() || line[0] == L';' || line[0] == L'#') continue;
    if (line.front() == L'[') {
      in_section = line.back() == L']' && SameName(Trim(line.substr(1, line.size() - 2)), L"Quillet");
      continue;
    }
    const std::size_t equals = line.find(L'=');
    if (in_section && equals != std::wstring_view::npos && SameName(Trim(line.substr(0, equals)), L"SummonKey")) {
      return std::wstring(Trim(line.substr(equals + 1)));
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<Chord> ParseChord(std::wstring_view text) {
  Chord chord;
  bool has_key = false;
  while (true) {
    const std::size_t plus = text.find(L'+');
    const std::wstring_view name = Trim(text.substr(0, plus));
    bool* modifier = SameName(name, L"Ctrl")    ? &chord.ctrl
                     : SameName(name, L"Alt")   ? &chord.alt
                     : SameName(name, L"Shift") ? &chord.shift
                     : SameName(name, L"Win")   ? &chord.win
                                                : nullptr;
    if (modifier != nullptr) {
      if (*modifier || has_key) return std::nullopt;  // twice, or after the key
      *modifier = true;
    } else {
      const std::optional<int> key = KeyOf(name);
      if (!key || has_key) return std::nullopt;
      chord.key = *key, has_key = true;
    }
    if (plus == std::wstring_view::npos) break;
    text.remove_prefix(plus + 1);
  }
  if (!has_key || !(chord.ctrl || chord.alt || chord.win)) return std::nullopt;
  return chord;
}

std::wstring ChordName(const Chord& chord) {
  std::wstring name;
  if (chord.ctrl) name += L"Ctrl+";
  if (chord.alt) name += L"Alt+";
  if (chord.shift) name += L"Shift+";
  if (chord.win) name += L"Win+";
  if (chord.key >= kKeyF1 && chord.key < kKeyF1 + 24) return name + L"F" + std::to_wstring(chord.key - kKeyF1 + 1);
  for (const NamedKey& named : kNamedKeys) {
    if (named.key == chord.key) return name + named.name;
  }
  return name + static_cast<wchar_t>(chord.key);
}

SummonSetting ReadSummonSetting(const ReadOutcome& file) {
  SummonSetting setting;
  if (file.kind == ReadOutcome::Kind::kMissing) return setting;
  if (file.kind == ReadOutcome::Kind::kFailed) {
    setting.read_error = file.message;
    return setting;
  }
  const std::optional<std::wstring> value = SummonKeyValue(DecodeIni(file.bytes));
  if (!value) return setting;
  if (value->empty() || SameName(*value, L"none")) {
    setting.chord.reset();
    return setting;
  }
  if (const std::optional<Chord> chord = ParseChord(*value)) {
    setting.chord = chord;
  } else {
    setting.refused = value->size() > kShownValueLength ? value->substr(0, kShownValueLength) + L"…" : *value;
    for (wchar_t& c : setting.refused) {
      if (IsEscapedByte(c)) c = L'\uFFFD';  // a byte that was no UTF-8
    }
  }
  return setting;
}

std::wstring Text1ToolTip(const SummonSetting& setting, bool chord_taken) {
  std::wstring tip = kText1ToolTip;
  const std::wstring name = setting.chord ? ChordName(*setting.chord) : std::wstring();
  if (!setting.read_error.empty()) tip += std::wstring(L"\n") + kIniUnreadablePrefix + setting.read_error;
  if (!setting.refused.empty()) {
    tip += std::wstring(L"\n") + kSummonKeyRefusedPrefix + setting.refused + kSummonKeyRefusedMiddle + name;
  }
  if (chord_taken) tip += std::wstring(L"\n") + kSummonChordTakenPrefix + name + kSummonChordTakenSuffix;
  return tip;
}

}  // namespace quillet
