#include "tests/support/iconv_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace quillet {
namespace {

static_assert(sizeof(wchar_t) == 4, "the native codec works on UTF-32 wchar_t");

}  // namespace

class IconvCodec::Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much of `in` as possible; returns false at the first byte that doesn't convert.
  bool Run(const char*& in, std::size_t& in_left, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (in_left > 0) {
      char buffer[4096];
      char* out_ptr = buffer;
      std::size_t out_left = sizeof buffer;
      char* in_ptr = const_cast<char*>(in);
      const std::size_t rc = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
      out.append(buffer, out_ptr - buffer);
      in = in_ptr;
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

namespace {

using Converter = IconvCodec::Converter;

std::string ToBytes(std::wstring_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

}  // namespace

namespace {

// Decodes one character at the front of `bytes` that encodes back to the same
// bytes; returns its length, or 0 when none starts there.
std::size_t DecodeOne(Converter& to_wide, Converter& to_bytes, std::string_view bytes, wchar_t& ch) {
  for (std::size_t n = 1; n <= 4 && n <= bytes.size(); ++n) {
    const char* in = bytes.data();
    std::size_t left = n;
    std::string wide;
    if (!to_wide.Run(in, left, wide) || wide.size() != sizeof(wchar_t)) continue;
    const char* wide_in = wide.data();
    std::size_t wide_left = wide.size();
    std::string back;
    if (to_bytes.Run(wide_in, wide_left, back) && back == bytes.substr(0, n)) {
      ch = *reinterpret_cast<const wchar_t*>(wide.data());
      return n;
    }
  }
  return 0;
}

// Decodes a whole run at once when every character of it round-trips.
bool DecodeRun(Converter& to_wide, Converter& to_bytes, std::string_view run, std::wstring& out) {
  const char* in = run.data();
  std::size_t left = run.size();
  std::string wide;
  if (!to_wide.Run(in, left, wide)) return false;
  const char* wide_in = wide.data();
  std::size_t wide_left = wide.size();
  std::string back;
  if (!to_bytes.Run(wide_in, wide_left, back) || back != run) return false;
  out.append(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t));
  return true;
}

// Bytes are decoded in runs of about this length, cut where SafeRunEnd allows.
constexpr std::size_t kRun = 4096;

}  // namespace

IconvCodec::IconvCodec(const std::string& charset)
    : to_wide_(std::make_unique<Converter>("WCHAR_T", charset.c_str())),
      to_bytes_(std::make_unique<Converter>(charset.c_str(), "WCHAR_T")) {}

IconvCodec::~IconvCodec() = default;

std::wstring IconvCodec::Decode(std::string_view bytes) const {
  Converter& to_wide = *to_wide_;
  Converter& to_bytes = *to_bytes_;
  std::wstring out;
  out.reserve(bytes.size());
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = SafeRunEnd(bytes, start, kRun);
    std::string_view run = bytes.substr(start, end - start);
    start = end;
    if (DecodeRun(to_wide, to_bytes, run, out)) continue;
    while (!run.empty()) {
      wchar_t ch = 0;
      const std::size_t n = DecodeOne(to_wide, to_bytes, run, ch);
      out.push_back(n ? ch : EscapeByte(static_cast<unsigned char>(run[0])));
      run.remove_prefix(n ? n : 1);
    }
  }
  return out;
}

std::optional<std::string> IconvCodec::Encode(std::wstring_view text) const {
  Converter& to_bytes = *to_bytes_;
  return EncodeAroundEscapes(text, text.size(), [&to_bytes](std::wstring_view run, std::string& out) {
    const std::string wide = ToBytes(run);
    const char* in = wide.data();
    std::size_t left = wide.size();
    return to_bytes.Run(in, left, out);
  });
}

}  // namespace quillet
