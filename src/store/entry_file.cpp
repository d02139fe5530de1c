#include "store/entry_file.h"

#include "store/utf8_codec.h"

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

const Codec& CodecFor(FileEncoding encoding, const Codec& ansi) {
  static const Utf8Codec utf8;
  return encoding == FileEncoding::kUtf8WithBom ? utf8 : ansi;
}

EntryFile::Seen EntryFile::Fingerprint(const ReadOutcome& read) {
  if (read.kind != ReadOutcome::Kind::kOk) return {};
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const char byte : read.bytes) hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
  return {true, read.bytes.size(), hash};
}

IoStatus EntryFile::LoadFailed(const Memory& before, std::wstring message) {
  loaded_ = before.loaded;
  unread_ = before.unread;
  seen_ = before.seen;
  // Only a list that never got the file's lines would lose them by a save;
  // a later failed reload leaves a complete list.
  if (!loaded_) unread_ = true;
  return IoStatus::Fail(std::move(message));
}

IoStatus EntryFile::ReadText(std::wstring& text) {
  const Memory before = Remember();
  ReadOutcome read = port_.ReadAll(path_);
  if (read.kind == ReadOutcome::Kind::kFailed) return LoadFailed(before, std::move(read.message));
  loaded_ = true;
  unread_ = false;
  seen_ = Fingerprint(read);
  if (read.kind == ReadOutcome::Kind::kMissing) return IoStatus::Ok();
  const ClassifiedBytes file = ClassifyBytes(read.bytes);
  encoding_ = file.encoding;
  text = CodecFor(file.encoding).Decode(file.content);
  return IoStatus::Ok();
}

bool EntryFile::ChangedSinceSeen() const {
  if (!seen_) return false;
  const ReadOutcome now = port_.ReadAll(path_);
  if (now.kind == ReadOutcome::Kind::kFailed) return false;
  return !(Fingerprint(now) == *seen_);
}

std::string EntryFile::ReadBytes() const {
  ReadOutcome read = port_.ReadAll(path_);
  return read.kind == ReadOutcome::Kind::kOk ? std::move(read.bytes) : std::string();
}

IoStatus EntryFile::Write(std::wstring_view text) {
  if (unread_) return IoStatus::Refused(SaveRefusal::kUnreadFile);
  ReadOutcome written;
  try {
    auto bytes = CodecFor(encoding_).Encode(text);
    if (!bytes) return IoStatus::Refused(SaveRefusal::kUnstorableText);
    if (encoding_ == FileEncoding::kUtf8WithBom) bytes->insert(0, kUtf8Bom);
    written.bytes = std::move(*bytes);
  } catch (const std::bad_alloc&) {
    return IoStatus::Fail(port_.OutOfMemoryMessage());
  }
  IoStatus status = port_.ReplaceAll(path_, written.bytes);
  if (status) seen_ = Fingerprint(written);
  return status;
}

IoStatus EntryFile::Save(const std::vector<std::wstring>& items) {
  std::wstring text;
  try {
    text = ConfigSaveText(items);
  } catch (const std::bad_alloc&) {
    return IoStatus::Fail(port_.OutOfMemoryMessage());
  }
  return Write(text);
}

IoStatus EntryFile::WriteCleared() { return Write(L"\r\n"); }

bool EntryFile::CanStore(std::wstring_view text) const { return CodecFor(encoding_).Encode(text).has_value(); }

}  // namespace quillet
