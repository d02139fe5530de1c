#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/codec.h"

namespace quillet {

// The list's lines, kept as cheaply as they came: a line read from a file is
// a span of that file's bytes, decoded only when someone reads it; a line
// typed or edited here is text of its own. A line's bytes are written back
// unchanged when saved in the encoding they were read in, so a load followed
// by a save gives back the file's bytes without decoding a single line.
//
// Each line is an 8-byte record in a deque: inserting at either end costs the
// same at any length, removing or replacing one moves at most half of them.
// The files' bytes are numbered as one run, which holds up to 4 GiB; more
// fails as memory does.
class LineList {
 public:
  std::size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }

  // The text of line `index`; decoded afresh when it comes from a file.
  std::wstring operator[](std::size_t index) const;

  void Insert(std::size_t index, std::wstring text);
  void Set(std::size_t index, std::wstring text);
  void Remove(std::size_t index);
  void Clear();

  // Appends the lines of `content` (see ForEachLine), a part of `bytes`
  // that `codec` decodes; the list keeps the bytes and the codec.
  void AppendFile(std::shared_ptr<const std::string> bytes, std::string_view content, const Codec& codec);

  // Every line in `codec`, each followed by CR LF: a file line's own bytes
  // when it was read with that codec, else its text encoded. Nothing when a
  // line's text has no exact form in it.
  std::optional<std::string> Encode(const Codec& codec) const;

 private:
  static constexpr std::uint32_t kOwnText = 0xFFFFFFFF;
  struct Line {
    std::uint32_t at;      // where its bytes start in the files' run, or its slot in texts_
    std::uint32_t length;  // of its bytes, or kOwnText
    bool own() const { return length == kOwnText; }
  };
  struct File {
    std::shared_ptr<const std::string> bytes;
    std::string_view content;
    std::uint32_t start;  // of the content in the files' run
    const Codec* codec;
  };
  Line Own(std::wstring text);
  void Release(const Line& line);
  const File& FileOf(const Line& line) const;
  static std::string_view BytesOf(const File& file, const Line& line) {
    return file.content.substr(line.at - file.start, line.length);
  }

  std::deque<Line> lines_;
  std::vector<File> files_;
  std::uint32_t run_end_ = 0;  // where the next file's content starts
  std::vector<std::wstring> texts_;
  std::vector<std::uint32_t> free_texts_;  // slots of texts_ no line uses
};

}  // namespace quillet
