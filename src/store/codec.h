#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Converts between the bytes of a file and the program's text.
//
// Decoding never fails: a byte that starts no character of the encoding comes
// back as the lone surrogate U+DC80..U+DCFF (0xDC00 + byte), so that encoding
// the result gives back the very same bytes. Encoding turns such a surrogate
// back into its byte, and fails when the text holds a character that the
// encoding cannot represent; it never writes a substitute such as "?".
class Codec {
 public:
  virtual ~Codec() = default;
  virtual std::wstring Decode(std::string_view bytes) const = 0;
  virtual std::optional<std::string> Encode(std::wstring_view text) const = 0;
};

// The escape of one undecodable byte, and its inverse.
constexpr wchar_t EscapeByte(unsigned char byte) { return static_cast<wchar_t>(0xDC00 + byte); }
constexpr bool IsEscapedByte(wchar_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

// Where a codec may cut encoded bytes into runs it converts one at a time:
// right after a byte below 0x30. No code page for text uses such a byte inside
// a multi-byte character (double-byte trail bytes start at 0x40, GB18030's
// four-byte forms use 0x30..0x39 and UTF-8 only bytes from 0x80), so a run
// never splits one. The run from `start` is at least `min_length` long (when
// the bytes go that far) and, without such a byte, at most `max_length`.
inline std::size_t SafeRunEnd(std::string_view bytes, std::size_t start, std::size_t min_length,
                              std::size_t max_length = std::numeric_limits<std::size_t>::max()) {
  const std::size_t limit = bytes.size() - start > max_length ? start + max_length : bytes.size();
  for (std::size_t i = start + std::max<std::size_t>(min_length, 1) - 1; i < limit; ++i) {
    if (static_cast<unsigned char>(bytes[i]) < 0x30) return i + 1;
  }
  return limit;
}

// Encodes `text` between its escaped bytes, each of which becomes its byte
// again. `encode_run(run, out)` appends the bytes of a run that holds no
// escape and returns false when a character of it has no exact form; the
// whole encoding then fails. The low half of a surrogate pair is a
// character, not an escaped byte.
template <class EncodeRun>
std::optional<std::string> EncodeAroundEscapes(std::wstring_view text, std::size_t expected_size,
                                               EncodeRun&& encode_run) {
  std::string out;
  out.reserve(expected_size);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !(IsEscapedByte(text[i]) && !(i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF))) {
      continue;
    }
    if (!encode_run(text.substr(start, i - start), out)) return std::nullopt;
    if (i < text.size()) out.push_back(static_cast<char>(text[i] - 0xDC00));
    start = i + 1;
  }
  return out;
}

}  // namespace quillet
