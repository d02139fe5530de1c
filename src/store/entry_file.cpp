#include "store/entry_file.h"

namespace quillet {

ClassifiedBytes ClassifyBytes(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    return {FileEncoding::kUtf8WithBom, bytes.substr(kUtf8Bom.size())};
  }
  return {FileEncoding::kAnsi, bytes};
}

std::wstring ConfigSaveText(const std::vector<std::wstring>& items) {
  std::size_t size = 2;
  for (const auto& item : items) size += item.size() + 2;
  std::wstring text;
  text.reserve(size);
  for (const auto& item : items) text.append(item).append(L"\r\n");
  if (items.empty()) text = L"\r\n";
  return text;
}

const Codec& EntryFile::CodecFor(FileEncoding encoding) const {
  return encoding == FileEncoding::kUtf8WithBom ? static_cast<const Codec&>(utf8_) : ansi_;
}

IoStatus EntryFile::ReadText(std::wstring& text) {
  ReadOutcome read = port_.ReadAll(path_);
  if (read.kind == ReadOutcome::Kind::kFailed) {
    // Only a list that never got the file's lines would lose them by a save;
    // a later failed reload leaves a complete list.
    if (!loaded_) unread_ = true;
    return IoStatus::Fail(std::move(read.message));
  }
  loaded_ = true;
  unread_ = false;
  if (read.kind == ReadOutcome::Kind::kMissing) return IoStatus::Ok();
  const ClassifiedBytes file = ClassifyBytes(read.bytes);
  encoding_ = file.encoding;
  text = CodecFor(file.encoding).Decode(file.content);
  return IoStatus::Ok();
}

std::string EntryFile::ReadBytes() const {
  ReadOutcome read = port_.ReadAll(path_);
  return read.kind == ReadOutcome::Kind::kOk ? std::move(read.bytes) : std::string();
}

std::wstring EntryFile::ReadWholeFile() const {
  const std::string bytes = ReadBytes();
  const ClassifiedBytes file = ClassifyBytes(bytes);
  const std::wstring text = CodecFor(file.encoding).Decode(file.content);
  std::wstring whole;
  whole.reserve(text.size() + 2);
  ForEachLine(std::wstring_view(text), [&](std::wstring_view line) { whole.append(L"\r\n").append(line); });
  return whole;
}

IoStatus EntryFile::Write(std::wstring_view text) const {
  if (unread_) return IoStatus::Fail(kUnreadFileMessage);
  auto bytes = CodecFor(encoding_).Encode(text);
  if (!bytes) return IoStatus::Fail(kUnstorableTextMessage);
  if (encoding_ == FileEncoding::kUtf8WithBom) bytes->insert(0, kUtf8Bom);
  return port_.ReplaceAll(path_, *bytes);
}

IoStatus EntryFile::Save(const std::vector<std::wstring>& items) const { return Write(ConfigSaveText(items)); }

IoStatus EntryFile::WriteCleared() const { return Write(L"\r\n"); }

bool EntryFile::CanStore(std::wstring_view text) const { return CodecFor(encoding_).Encode(text).has_value(); }

}  // namespace quillet
