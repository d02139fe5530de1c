#pragma once

#include "store/codec.h"

namespace quillet {

// UTF-8 without a byte-order mark (the mark is the entry file's business).
// Overlong forms, encoded surrogates and values beyond U+10FFFF are not
// characters: their bytes come back escaped, one by one.
// Whether every byte belongs to a well-formed character, as the codec reads them.
bool IsValidUtf8(std::string_view bytes);

class Utf8Codec final : public Codec {
 public:
  std::wstring Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::wstring_view text) const override;
};

}  // namespace quillet
