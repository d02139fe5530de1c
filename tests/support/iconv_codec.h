#pragma once

#include <memory>
#include <string>

#include "store/codec.h"

namespace quillet {

// A codec over glibc's iconv, for native tests and tools; "GBK" stands in for
// code page 936. A character counts only when it encodes back to the very
// bytes it came from; other bytes are escaped one by one.
// Single-threaded, like the rest of the program.
class IconvCodec final : public Codec {
 public:
  explicit IconvCodec(const std::string& charset);
  ~IconvCodec() override;
  std::wstring Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::wstring_view text) const override;

  class Converter;  // one iconv descriptor

 private:
  std::unique_ptr<Converter> to_wide_;
  std::unique_ptr<Converter> to_bytes_;
};

}  // namespace quillet
