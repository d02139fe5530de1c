#pragma once

#include <string>

#include "store/codec.h"

namespace quillet {

// A codec over glibc's iconv, for native tests and tools; "GBK" stands in for
// code page 936. A character counts only when it encodes back to the very
// bytes it came from; other bytes are escaped one by one.
class IconvCodec final : public Codec {
 public:
  explicit IconvCodec(std::string charset) : charset_(std::move(charset)) {}
  std::wstring Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::wstring_view text) const override;

 private:
  std::string charset_;
};

}  // namespace quillet
