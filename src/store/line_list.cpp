#include "store/line_list.h"

#include <new>

#include "store/lines.h"

namespace quillet {

LineList::Line LineList::Own(std::wstring text) {
  std::uint64_t slot;
  if (!free_texts_.empty()) {
    slot = free_texts_.back();
    texts_[slot] = std::move(text);
    free_texts_.pop_back();
  } else {
    slot = texts_.size();
    texts_.push_back(std::move(text));
  }
  return {slot, 0, kOwnText};
}

void LineList::Release(const Line& line) {
  if (line.file != kOwnText) return;
  free_texts_.push_back(line.at);  // reserved first: a failure leaves the slot in use, nothing worse
  texts_[line.at] = std::wstring();
}

std::string_view LineList::BytesOf(const Line& line) const {
  return std::string_view(*files_[line.file].bytes).substr(line.at, line.length);
}

std::wstring LineList::operator[](std::size_t index) const {
  const Line& line = lines_.at(index);
  if (line.file == kOwnText) return texts_[line.at];
  return files_[line.file].codec->Decode(BytesOf(line));
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
  if (line.file == kOwnText) {
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
  texts_.clear();
  free_texts_.clear();
}

void LineList::AppendFile(std::shared_ptr<const std::string> bytes, std::string_view content, const Codec& codec) {
  if (content.empty()) return;
  const auto file = static_cast<std::uint32_t>(files_.size());
  if (file == kOwnText) throw std::bad_alloc();
  const std::size_t base = static_cast<std::size_t>(content.data() - bytes->data());
  files_.push_back({std::move(bytes), &codec});
  const std::size_t old_size = lines_.size();
  try {
    ForEachLine(content, [&](std::string_view line) {
      if (line.size() >= kOwnText) throw std::bad_alloc();  // a line of 4 GiB
      lines_.push_back({base + static_cast<std::size_t>(line.data() - content.data()),
                        static_cast<std::uint32_t>(line.size()), file});
    });
  } catch (...) {
    lines_.resize(old_size);  // all or nothing
    files_.pop_back();
    throw;
  }
}

std::optional<std::string> LineList::Encode(const Codec& codec) const {
  std::size_t size = 2;
  for (const Line& line : lines_) size += (line.file == kOwnText ? texts_[line.at].size() : line.length) + 2;
  std::string out;
  out.reserve(size);
  for (const Line& line : lines_) {
    if (line.file != kOwnText && files_[line.file].codec == &codec) {
      out.append(BytesOf(line));
    } else {
      const std::optional<std::string> bytes =
          codec.Encode(line.file == kOwnText ? texts_[line.at] : files_[line.file].codec->Decode(BytesOf(line)));
      if (!bytes) return std::nullopt;
      out.append(*bytes);
    }
    out.append("\r\n");
  }
  if (lines_.empty()) out = "\r\n";
  return out;
}

}  // namespace quillet
