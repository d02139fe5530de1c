// Fuzzes line reading, the lookup, EntryPart and both codecs. The input is
// split at its first 0x00 0xFF pair: the entry file's bytes, then the typed text
// as UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "store/entry_file.h"
#include "store/entry_line.h"
#include "store/lines.h"
#include "store/lookup.h"
#include "store/utf8_codec.h"
#include "tests/support/iconv_codec.h"

namespace {

using namespace quillet;

struct Recorder : TargetOpener {
  std::vector<std::wstring> opened;
  void OpenTarget(const std::wstring& target) override { opened.push_back(target); }
};

// The lookup as plain text: decode, cut into lines, split, compare word by word.
std::vector<std::wstring> Reference(std::string_view bytes, const Codec& ansi, std::wstring_view typed) {
  const ClassifiedBytes file = ClassifyBytes(bytes);
  const Codec& codec = CodecFor(file.encoding, ansi);
  const std::wstring text = codec.Decode(file.content);
  std::vector<std::wstring> words;
  for (std::size_t start = 0, space = 0; space != std::wstring_view::npos; start = space + 1) {
    space = typed.find(L' ', start);
    words.emplace_back(typed.substr(start, space - start));  // to the end after the last space
  }
  std::vector<std::wstring> opened;
  ForEachLine(std::wstring_view(text), [&](std::wstring_view line) {
    const auto split = SplitEntryLine(line);
    if (!split) return;
    if (EntryPart(line, L"l") != split->keyword || EntryPart(line, L"r") != split->target) std::abort();
    for (const auto& word : words) {
      if (word == split->keyword) opened.emplace_back(split->target);
    }
  });
  return opened;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const IconvCodec gbk("GBK");
  static const Utf8Codec utf8;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find(std::string_view("\x00\xFF", 2));
  const std::string_view file = input.substr(0, cut);
  std::wstring typed = cut == std::string_view::npos ? L"" : utf8.Decode(input.substr(cut + 2));
  std::erase_if(typed, [](wchar_t c) { return IsEscapedByte(c) || c == L'\r'; });

  // Decoding never loses a byte.
  for (const Codec* codec : {static_cast<const Codec*>(&gbk), static_cast<const Codec*>(&utf8)}) {
    const auto back = codec->Encode(codec->Decode(file));
    if (!back || *back != file) std::abort();
  }

  // The byte-level lookup agrees with the lookup over decoded text.
  Recorder recorder;
  LaunchInBytes(file, gbk, typed, recorder);
  if (recorder.opened != Reference(file, gbk, typed)) std::abort();
  return 0;
}
