#include "store/lookup.h"

#include <cstring>
#include <unordered_map>

#include "store/entry_file.h"
#include "store/lines.h"

namespace quillet {

// The lookup works on the file's bytes: the typed words are encoded once and
// compared with each line's keyword bytes, and only matching targets are
// decoded. This is exact because decoding is one-to-one (undecodable bytes are
// escaped) and neither ':' nor CR can be the second byte of a double-byte
// character in the code pages Windows uses as ANSI code pages, nor in UTF-8.
void LaunchInBytes(std::string_view file_bytes, const Codec& ansi, std::wstring_view typed, TargetOpener& opener,
                   bool system_utf8) {
  const ClassifiedBytes file = ClassifyBytes(file_bytes, system_utf8);
  const Codec& codec = CodecFor(file.encoding, ansi);

  // How many typed words equal each keyword; a word the encoding can't hold matches nothing.
  std::unordered_map<std::string, int> wanted;
  for (std::size_t start = 0;;) {
    const std::size_t space = typed.find(L' ', start);
    const auto word = typed.substr(start, space == std::wstring_view::npos ? std::wstring_view::npos : space - start);
    if (auto bytes = codec.Encode(word)) ++wanted[*bytes];
    if (space == std::wstring_view::npos) break;
    start = space + 1;
  }
  if (wanted.empty()) return;
  // The file in order, line by line: a line's keyword is the bytes before its
  // first colon. A word holding a colon can't be one, and no line holds a CR.
  const std::string_view content = file.content;
  std::string key;
  ForEachLine(content, [&](std::string_view line) {
    const void* colon = std::memchr(line.data(), ':', line.size());
    if (colon == nullptr) return;
    const std::size_t at = static_cast<const char*>(colon) - line.data();
    key.assign(line.data(), at);
    const auto hit = wanted.find(key);
    if (hit == wanted.end()) return;
    const std::wstring target = codec.Decode(line.substr(at + 1));
    for (int i = 0; i < hit->second; ++i) opener.OpenTarget(target);
  });
}

void LaunchByKeyword(const EntryFile& file, std::wstring_view typed, TargetOpener& opener) {
  LaunchInBytes(file.ReadBytes(), file.CodecFor(FileEncoding::kAnsi), typed, opener, file.system_utf8());
}

}  // namespace quillet
