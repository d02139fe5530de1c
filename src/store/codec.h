#pragma once

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

}  // namespace quillet
