#include "platform/win32/ansi_codec.h"

#include <algorithm>
#include <cstring>

namespace quillet {
namespace {

// Code pages for which WideCharToMultiByte takes neither WC_NO_BEST_FIT_CHARS
// nor a used-default flag (stateful ISO-2022 and similar forms, GB18030,
// UTF-7, UTF-8 and the symbol code page).
bool LacksBestFitControl(UINT code_page) {
  switch (code_page) {
    case 42:
    case 50220:
    case 50221:
    case 50222:
    case 50225:
    case 50227:
    case 50229:
    case 52936:
    case 54936:
    case 65000:
    case 65001: return true;
    default: return code_page >= 57002 && code_page <= 57011;
  }
}

// Of those, the ones that still report invalid input when asked.
bool ReportsInvalidChars(UINT code_page) { return code_page == 54936 || code_page == 65001; }

UINT Resolve(UINT code_page) {
  if (code_page == CP_ACP) return ::GetACP();
  if (code_page == CP_OEMCP) return ::GetOEMCP();
  return code_page;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// True when `text` holds a surrogate that is not half of a pair. Such a unit
// never comes from a real character, and one in 0xDC80..0xDCFF would read as
// an escaped byte.
bool HasLoneSurrogate(std::wstring_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c < 0xD800 || c > 0xDFFF) continue;
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
      continue;
    }
    return true;
  }
  return false;
}

// Bytes are decoded in runs cut where SafeRunEnd allows (the system's lengths are ints).
constexpr std::size_t kMaxRun = std::size_t{1} << 30;
constexpr std::size_t kFirstRun = std::size_t{1} << 26;  // files are usually far smaller: one call
constexpr std::size_t kRetryRun = 4096;                  // after a bad byte, retry in small runs

std::size_t RunEnd(std::string_view bytes, std::size_t start, std::size_t min_length) {
  return SafeRunEnd(bytes, start, min_length, kMaxRun);
}

// Encoded text is converted in pieces of at most this many UTF-16 units.
constexpr std::size_t kEncodePiece = std::size_t{1} << 24;

}  // namespace

AnsiCodec::AnsiCodec(UINT code_page)
    : code_page_(Resolve(code_page)),
      available_(::IsValidCodePage(code_page_) != FALSE),
      decode_flags_(LacksBestFitControl(code_page_) && !ReportsInvalidChars(code_page_) ? 0 : MB_ERR_INVALID_CHARS),
      reports_default_(!LacksBestFitControl(code_page_)),
      strict_encode_flags_(ReportsInvalidChars(code_page_) ? WC_ERR_INVALID_CHARS : 0),
      max_char_size_(4) {
  CPINFO info{};
  if (::GetCPInfo(code_page_, &info) && info.MaxCharSize > 0) max_char_size_ = info.MaxCharSize;
}

// Converts `run` and keeps the result only when the system gives back exactly
// the same bytes for it.
bool AnsiCodec::DecodeRun(std::string_view run, std::wstring& out, std::string& scratch) const {
  if (run.empty()) return true;
  const int length = static_cast<int>(run.size());
  const std::size_t old_size = out.size();
  // No code page yields more UTF-16 units than it had bytes.
  out.resize(old_size + run.size());
  const int units = ::MultiByteToWideChar(code_page_, decode_flags_, run.data(), length, out.data() + old_size, length);
  if (units > 0) {
    out.resize(old_size + static_cast<std::size_t>(units));
    const std::wstring_view text(out.data() + old_size, static_cast<std::size_t>(units));
    if (!HasLoneSurrogate(text)) {
      scratch.resize(run.size());
      BOOL used_default = FALSE;
      const int back =
          ::WideCharToMultiByte(code_page_, reports_default_ ? WC_NO_BEST_FIT_CHARS : strict_encode_flags_, text.data(),
                                units, scratch.data(), length, nullptr, reports_default_ ? &used_default : nullptr);
      if (back == length && !used_default && std::memcmp(scratch.data(), run.data(), run.size()) == 0) return true;
    }
  }
  out.resize(old_size);
  return false;
}

// Decodes the character at the front of `bytes` when one starts there and
// round-trips; returns the number of bytes it took, or 0.
std::size_t AnsiCodec::DecodeOne(std::string_view bytes, std::wstring& out, std::string& scratch) const {
  const std::size_t longest = std::min(max_char_size_, bytes.size());
  for (std::size_t length = 1; length <= longest; ++length) {
    if (DecodeRun(bytes.substr(0, length), out, scratch)) return length;
  }
  return 0;
}

std::wstring AnsiCodec::Decode(std::string_view bytes) const {
  std::wstring out;
  out.reserve(bytes.size());
  if (!available_) {
    for (const char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      out.push_back(byte < 0x80 ? static_cast<wchar_t>(byte) : EscapeByte(byte));
    }
    return out;
  }
  std::string scratch;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = RunEnd(bytes, start, kFirstRun);
    const std::string_view run = bytes.substr(start, end - start);
    start = end;
    if (DecodeRun(run, out, scratch)) continue;

    for (std::size_t at = 0; at < run.size();) {
      const std::size_t piece_end = RunEnd(run, at, kRetryRun);
      std::string_view piece = run.substr(at, piece_end - at);
      at = piece_end;
      if (piece.size() < run.size() && DecodeRun(piece, out, scratch)) continue;
      while (!piece.empty()) {
        std::size_t taken = DecodeOne(piece, out, scratch);
        if (taken == 0) {
          out.push_back(EscapeByte(static_cast<unsigned char>(piece.front())));
          taken = 1;
        }
        piece.remove_prefix(taken);
      }
    }
  }
  return out;
}

// Appends the bytes of `run` (which holds no escaped byte) or fails when a
// character of it has no exact form in the code page.
bool AnsiCodec::EncodeRun(std::wstring_view run, std::string& out) const {
  if (!available_) {
    for (const wchar_t c : run) {
      if (c >= 0x80) return false;
      out.push_back(static_cast<char>(c));
    }
    return true;
  }
  std::wstring check;
  while (!run.empty()) {
    std::size_t units = std::min(run.size(), kEncodePiece);
    if (units < run.size() && IsHighSurrogate(run[units - 1])) --units;  // keep a pair together
    const std::wstring_view piece = run.substr(0, units);
    run.remove_prefix(units);

    const std::size_t old_size = out.size();
    const std::size_t capacity = units * max_char_size_;
    out.resize(old_size + capacity);
    BOOL used_default = FALSE;
    const int written =
        ::WideCharToMultiByte(code_page_, reports_default_ ? WC_NO_BEST_FIT_CHARS : strict_encode_flags_, piece.data(),
                              static_cast<int>(units), out.data() + old_size, static_cast<int>(capacity), nullptr,
                              reports_default_ ? &used_default : nullptr);
    if (written <= 0 || used_default) return false;
    out.resize(old_size + static_cast<std::size_t>(written));

    if (!reports_default_) {
      // The system cannot say whether it substituted something: read the
      // bytes back and insist on the same text.
      check.resize(static_cast<std::size_t>(written));
      const int back =
          ::MultiByteToWideChar(code_page_, decode_flags_, out.data() + old_size, written, check.data(), written);
      if (back <= 0 || std::wstring_view(check.data(), static_cast<std::size_t>(back)) != piece) return false;
    }
  }
  return true;
}

std::optional<std::string> AnsiCodec::Encode(std::wstring_view text) const {
  return EncodeAroundEscapes(text, text.size() * 2,
                             [this](std::wstring_view run, std::string& out) { return EncodeRun(run, out); });
}

UINT UserLocaleAnsiCodePage() {
  DWORD code_page = 0;
  if (!::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPWSTR>(&code_page), sizeof code_page / sizeof(wchar_t))) {
    return 0;
  }
  return code_page;
}

}  // namespace quillet
