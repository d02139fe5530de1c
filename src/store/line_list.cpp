#include "store/line_list.h"

#include <algorithm>
#include <new>

#include "store/lines.h"

namespace quillet {

LineList::Line LineList::Own(std::wstring text) {
  std::uint32_t slot;
  if (!free_texts_.empty()) {
    slot = free_texts_.back();
    texts_[slot] = std::move(text);
    free_texts_.pop_back();
  } else {
    if (texts_.size() >= kOwnText) throw std::bad_alloc();
    slot = static_cast<std::uint32_t>(texts_.size());
    texts_.push_back(std::move(text));
  }
  return {slot, kOwnText};
}

// A failure to note the slot as free only leaves it unused.
void LineList::Release(const Line& line) {
  if (!line.own()) return;
  texts_[line.at] = std::wstring();
  free_texts_.push_back(line.at);
}

const LineList::File& LineList::FileOf(const Line& line) const {
  // The last file whose content starts at or before the line.
  const auto after = std::upper_bound(files_.begin(), files_.end(), line.at,
                                      [](std::uint32_t at, const File& f) { return at < f.start; });
  return *(after - 1);
}

std::wstring LineList::operator[](std::size_t index) const {
  const Line& line = lines_.at(index);
  if (line.own()) return texts_[line.at];
  const File& file = FileOf(line);
  return file.codec->Decode(BytesOf(file, line));
}

void LineList::Insert(std::size_t index, std::wstring text) {
  if (index > lines_.size()) index = lines_.size();
  const Line line = Own(std::move(text));
  try {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), line);
  } catch (...) {
    Release(line);
    throw;
  }
}

void LineList::Set(std::size_t index, std::wstring text) {
  Line& line = lines_.at(index);
  if (line.own()) {
    texts_[line.at] = std::move(text);
    return;
  }
  line = Own(std::move(text));
}

void LineList::Remove(std::size_t index) {
  const Line line = lines_.at(index);
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
  Release(line);
}

void LineList::Clear() {
  lines_.clear();
  files_.clear();
  run_end_ = 0;
  texts_.clear();
  free_texts_.clear();
}

void LineList::AppendFile(std::shared_ptr<const std::string> bytes, std::string_view content, const Codec& codec) {
  if (content.empty()) return;
  // The run's numbers stop short of kOwnText, so no line's length is mistaken for it.
  if (content.size() >= kOwnText - run_end_) throw std::bad_alloc();
  const std::uint32_t start = run_end_;
  files_.push_back({std::move(bytes), content, start, &codec});
  const std::size_t old_size = lines_.size();
  try {
    ForEachLine(content, [&](std::string_view line) {
      lines_.push_back(
          {start + static_cast<std::uint32_t>(line.data() - content.data()), static_cast<std::uint32_t>(line.size())});
    });
  } catch (...) {
    lines_.resize(old_size);  // all or nothing
    files_.pop_back();
    throw;
  }
  run_end_ = start + static_cast<std::uint32_t>(content.size());
}

std::optional<std::string> LineList::Encode(const Codec& codec) const {
  std::size_t size = 2;
  for (const Line& line : lines_) size += (line.own() ? texts_[line.at].size() : line.length) + 2;
  std::string out;
  out.reserve(size);
  for (const Line& line : lines_) {
    const File* file = line.own() ? nullptr : &FileOf(line);
    if (file != nullptr && file->codec == &codec) {
      out.append(BytesOf(*file, line));
    } else {
      const std::optional<std::string> bytes =
          codec.Encode(file == nullptr ? texts_[line.at] : file->codec->Decode(BytesOf(*file, line)));
      if (!bytes) return std::nullopt;
      out.append(*bytes);
    }
    out.append("\r\n");
  }
  if (lines_.empty()) out = "\r\n";
  return out;
}

}  // namespace quillet
