#include "tests/support/iconv_codec.h"

#include <iconv.h>

#include <cstring>
#include <stdexcept>

namespace quillet {
namespace {

// All of `in` converted, or nothing when a byte of it doesn't convert.
std::optional<std::string> Convert(iconv_t cd, std::string in) {
  std::string out(4 * in.size(), '\0');
  char *in_ptr = in.data(), *out_ptr = out.data();
  std::size_t in_left = in.size(), out_left = out.size();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1)) return std::nullopt;
  return out.substr(0, out.size() - out_left);
}

}  // namespace

IconvCodec::IconvCodec(const char* charset) {
  const iconv_t to_wide = iconv_open("WCHAR_T", charset), to_bytes = iconv_open(charset, "WCHAR_T");
  if (to_wide == reinterpret_cast<iconv_t>(-1) || to_bytes == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error("iconv_open failed");
  }
  for (unsigned code = 0; code < 0x10000; code = code == 0xFF ? 0x8000 : code + 1) {
    const char pair[] = {static_cast<char>(code >> 8), static_cast<char>(code)};
    const std::string bytes = code > 0xFF ? std::string(pair, 2) : std::string(1, pair[1]);
    const auto wide = Convert(to_wide, bytes);
    if (!wide || wide->size() != sizeof(wchar_t) || Convert(to_bytes, *wide) != bytes) continue;
    wchar_t c;
    std::memcpy(&c, wide->data(), sizeof c);
    decode_[code] = c, encode_[c] = bytes;
  }
  iconv_close(to_wide), iconv_close(to_bytes);
}

std::wstring IconvCodec::Decode(std::string_view bytes) const {
  std::wstring out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned byte = static_cast<unsigned char>(bytes[i]);
    auto it = decode_.find(byte);
    if (it == decode_.end() && byte >= 0x80 && i + 1 < bytes.size()) {
      it = decode_.find(byte << 8 | static_cast<unsigned char>(bytes[i + 1]));
      if (it != decode_.end()) ++i;
    }
    out.push_back(it != decode_.end() ? it->second : EscapeByte(byte));
  }
  return out;
}

std::optional<std::string> IconvCodec::Encode(std::wstring_view text) const {
  return EncodeAroundEscapes(text, text.size(), [this](std::wstring_view run, std::string& out) {
    for (const wchar_t c : run) {
      const auto it = encode_.find(c);
      if (it == encode_.end()) return false;
      out += it->second;
    }
    return true;
  });
}

}  // namespace quillet
