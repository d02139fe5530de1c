#pragma once

#include <windows.h>

#include "store/codec.h"

namespace quillet {

// A Windows code page (by default the ANSI one, 936 on a Chinese system).
// A character counts only when it encodes back to the very bytes it came
// from; other bytes are escaped one by one. Best-fit mappings are never used:
// text that the code page cannot hold makes Encode fail. A code page that the
// system does not have works as plain ASCII, every other byte escaped.
// The default ANSI code page of the user's locale (936 for Chinese), whatever
// the system's own is; 0 for a locale without one, or when it can't be told.
UINT UserLocaleAnsiCodePage();

class AnsiCodec final : public Codec {
 public:
  explicit AnsiCodec(UINT code_page = CP_ACP);
  std::wstring Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::wstring_view text) const override;


 private:
  bool DecodeRun(std::string_view run, std::wstring& out, std::string& scratch) const;
  std::size_t DecodeOne(std::string_view bytes, std::wstring& out, std::string& scratch) const;
  bool EncodeRun(std::wstring_view run, std::string& out) const;

  UINT code_page_;
  bool available_;
  DWORD decode_flags_;         // MB_ERR_INVALID_CHARS where the code page accepts it
  bool reports_default_;       // WideCharToMultiByte can tell that it used the default character
  DWORD strict_encode_flags_;  // used when it cannot: WC_ERR_INVALID_CHARS or 0
  std::size_t max_char_size_;
};

}  // namespace quillet
