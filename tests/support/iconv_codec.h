#pragma once

#include <string>
#include <unordered_map>

#include "store/codec.h"

namespace quillet {

// A codec over glibc's iconv, for native tests and tools; "GBK" stands in for
// code page 936. It knows the characters of one byte and of two bytes from
// 0x80 (a double-byte code page), each only when it encodes back to the very
// bytes it came from; other bytes are escaped one by one.
class IconvCodec final : public Codec {
 public:
  explicit IconvCodec(const char* charset);
  std::wstring Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::wstring_view text) const override;

 private:
  std::unordered_map<unsigned, wchar_t> decode_;  // by the byte, or lead byte * 256 + trail byte
  std::unordered_map<wchar_t, std::string> encode_;
};

}  // namespace quillet
