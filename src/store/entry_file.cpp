#include "store/entry_file.h"

#include <memory>
#include <new>

#include "store/utf8_codec.h"

namespace quillet {

AnsiFiles ChooseAnsiFiles(unsigned system_code_page, unsigned locale_code_page) {
  if (system_code_page != kUtf8CodePage) return {system_code_page, false};
  // A locale without a legacy code page: every file is UTF-8, well-formed or not.
  return {locale_code_page == 0 ? kUtf8CodePage : locale_code_page, true};
}

ClassifiedBytes ClassifyBytes(std::string_view bytes, bool system_utf8) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    return {FileEncoding::kUtf8WithBom, bytes.substr(kUtf8Bom.size())};
  }
  if (system_utf8 && IsValidUtf8(bytes)) return {FileEncoding::kUtf8, bytes};
  return {FileEncoding::kAnsi, bytes};
}

std::wstring BackupPathFor(const std::wstring& path) { return path + L".bak"; }

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

const Codec& CodecFor(FileEncoding encoding, const Codec& ansi) {
  static const Utf8Codec utf8;
  return encoding == FileEncoding::kAnsi ? ansi : utf8;
}

EntryFile::Seen EntryFile::Fingerprint(const ReadOutcome& read) {
  return read.kind == ReadOutcome::Kind::kOk ? Fingerprint(read.bytes) : Seen{};
}

EntryFile::Seen EntryFile::Fingerprint(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const char byte : bytes) hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
  return {true, bytes.size(), hash};
}

// Nothing else changes before a load has read and listed the whole file.
IoStatus EntryFile::LoadFailed(std::wstring message) {
  // Only a list that never got the file's lines would lose them by a save;
  // a later failed reload leaves a complete list.
  if (load_ != LoadStatus::kLoaded) load_ = LoadStatus::kUnread;
  return IoStatus::Fail(std::move(message));
}

IoStatus EntryFile::LoadLines(LineList& list) {
  try {
    ReadOutcome read = port_.ReadAll(path_);
    if (read.kind == ReadOutcome::Kind::kFailed) return LoadFailed(std::move(read.message));
    Seen seen;
    if (read.kind == ReadOutcome::Kind::kOk) {
      const auto bytes = std::make_shared<const std::string>(std::move(read.bytes));
      seen = Fingerprint(*bytes);
      const ClassifiedBytes file = ClassifyBytes(*bytes, system_utf8_);
      list.AppendFile(bytes, file.content, CodecFor(file.encoding));
      encoding_ = file.encoding;
    }
    load_ = LoadStatus::kLoaded;
    seen_ = seen;
    return IoStatus::Ok();
  } catch (const std::bad_alloc&) {
    return LoadFailed(port_.OutOfMemoryMessage());
  }
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

IoStatus EntryFile::Write(const std::function<std::optional<std::string>(const Codec&)>& content) {
  if (load_ == LoadStatus::kUnread) return IoStatus::Refused(SaveRefusal::kUnreadFile);
  ReadOutcome written;
  try {
    auto bytes = content(CodecFor(encoding_));
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

IoStatus EntryFile::Save(const LineList& lines) {
  return Write([&lines](const Codec& codec) { return lines.Encode(codec); });
}

IoStatus EntryFile::WriteCleared() {
  if (load_ == LoadStatus::kUnread) return IoStatus::Refused(SaveRefusal::kUnreadFile);
  IoStatus backup;
  try {
    const ReadOutcome now = port_.ReadAll(path_);
    if (now.kind == ReadOutcome::Kind::kFailed) backup = IoStatus::Fail(now.message);
    // No file, no backup: the last one stays.
    if (now.kind == ReadOutcome::Kind::kOk) backup = port_.ReplaceAll(BackupPathFor(path_), now.bytes);
  } catch (const std::bad_alloc&) {
    backup = IoStatus::Fail(port_.OutOfMemoryMessage());
  }
  if (!backup) {
    backup.in_backup = true;
    return backup;
  }
  return Write([](const Codec&) { return std::optional<std::string>("\r\n"); });
}

bool EntryFile::CanStore(std::wstring_view text) const { return CodecFor(encoding_).Encode(text).has_value(); }

}  // namespace quillet
