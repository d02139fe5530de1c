#include "store/lookup.h"

#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

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
  // The file in order, line by line; a line matches a word when it starts with
  // the word's bytes followed by ':' (a word holds no colon and no CR, so that
  // colon is the line's first). Many distinct words go through the map instead.
  std::vector<std::pair<std::string, int>> few;
  if (wanted.size() <= 8) {
    for (auto& [word, times] : wanted) {
      if (word.find_first_of(":\r") == std::string::npos) few.emplace_back(word + ':', times);
    }
    if (few.empty()) return;
  }
  const std::string_view content = file.content;
  std::string key;
  ForEachLine(content, [&](std::string_view line) {
    int times = 0;
    std::size_t target_at = 0;
    if (!few.empty()) {
      for (const auto& [prefix, n] : few) {
        if (line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0) {
          times = n;
          target_at = prefix.size();
          break;
        }
      }
    } else if (const void* colon = std::memchr(line.data(), ':', line.size())) {
      const std::size_t at = static_cast<const char*>(colon) - line.data();
      key.assign(line.data(), at);
      if (const auto hit = wanted.find(key); hit != wanted.end()) times = hit->second;
      target_at = at + 1;
    }
    if (times == 0) return;
    const std::wstring target = codec.Decode(line.substr(target_at));
    for (int i = 0; i < times; ++i) opener.OpenTarget(target);
  });
}

void LaunchByKeyword(const EntryFile& file, std::wstring_view typed, TargetOpener& opener) {
  LaunchInBytes(file.ReadBytes(), file.CodecFor(FileEncoding::kAnsi), typed, opener, file.system_utf8());
}

}  // namespace quillet
