#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "store/codec.h"
#include "store/file_port.h"
#include "store/io_status.h"
#include "store/line_list.h"

namespace quillet {

// How the entry file's bytes are text. A file that starts with the UTF-8
// byte-order mark is UTF-8 and is saved back with the mark; every other file
// is in the system's ANSI code page, and so is every file the program creates.
//
// A system whose ANSI code page is UTF-8 (65001) still has users' files in
// their locale's legacy code page: there a file without the mark that is
// well-formed UTF-8 is UTF-8 and saved so, and any other is in the legacy code
// page. A file it creates is UTF-8 with the mark, which reads the same
// whatever the system's code page becomes and holds every character.
enum class FileEncoding { kAnsi, kUtf8WithBom, kUtf8 };

inline constexpr unsigned kUtf8CodePage = 65001;

// The code page that files without the mark are read in when they are not
// UTF-8, from the system's ANSI code page and the user locale's default ANSI
// code page (0 when it has none).
struct AnsiFiles {
  unsigned code_page;
  bool system_utf8;  // the system's ANSI code page is UTF-8
};
AnsiFiles ChooseAnsiFiles(unsigned system_code_page, unsigned locale_code_page);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The copy of the entry file that delete all keeps: data.txt.bak.
std::wstring BackupPathFor(const std::wstring& path);

// The folder a file lies in, as written in its path.
std::wstring FolderOf(const std::wstring& path);

struct ClassifiedBytes {
  FileEncoding encoding;
  std::string_view content;  // without the mark
};
ClassifiedBytes ClassifyBytes(std::string_view bytes, bool system_utf8 = false);

// The codec that reads and writes a file of `encoding`; `ansi` is the
// code page of AnsiFiles.
const Codec& CodecFor(FileEncoding encoding, const Codec& ansi);

// data.txt: its path, its encoding as last loaded, and its reading and writing
// through the file port. Every operation opens, finishes and closes the file.
class EntryFile {
 public:
  // `system_utf8`: see AnsiFiles.
  EntryFile(FilePort& port, const Codec& ansi, std::wstring path, bool system_utf8 = false)
      : port_(port),
        ansi_(ansi),
        path_(std::move(path)),
        system_utf8_(system_utf8),
        encoding_(system_utf8 ? FileEncoding::kUtf8WithBom : FileEncoding::kAnsi) {}

  const std::wstring& path() const { return path_; }
  bool system_utf8() const { return system_utf8_; }

  // Appends the file's lines, in file order, to `list`; never clears it. The
  // lines keep the file's bytes and are decoded when read. A missing file has
  // no lines and is no failure. Remembers the file's encoding for the next
  // save. When no load has succeeded yet, a failed one leaves the list without
  // the file's lines, and saves are refused until a load succeeds. A file too
  // large for memory fails like an unreadable one, with the system's words
  // for it, and adds nothing.
  IoStatus LoadLines(LineList& list);

  // The raw bytes for the lookup; empty when missing or unreadable.
  std::string ReadBytes() const;

  // Replaces the file with `lines`, each followed by CR LF, a single CR LF
  // when there are none (ConfigSave). Text that the encoding can't represent
  // fails the save and leaves the file as it was, and so does a file that has
  // not been loaded yet (see LoadLines).
  IoStatus Save(const LineList& lines);

  // Replaces the file with a single CR LF (delete all), after keeping its
  // bytes as the backup beside it (one generation). When the backup can't be
  // made the file stays as it was, and the failure says so (in_backup).
  IoStatus WriteCleared();

  // Whether the file differs from what this program last read or wrote: it
  // was created, changed or removed by someone else meanwhile. A file that
  // can't be read now counts as unchanged (the save then says why it fails),
  // and so does one that was never read.
  bool ChangedSinceSeen() const;

  // Whether a save could succeed, found out without changing the file or
  // counting as a change of it; on failure, the system's reason.
  IoStatus ProbeSave() const { return port_.ProbeWritable(path_); }

  // Whether `text` can be written in the file's encoding.
  bool CanStore(std::wstring_view text) const;

  const Codec& CodecFor(FileEncoding encoding) const { return quillet::CodecFor(encoding, ansi_); }

 private:
  // What a file looked like when this program last read or wrote it.
  struct Seen {
    bool exists = false;
    std::size_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const Seen&) const = default;
  };
  static Seen Fingerprint(const ReadOutcome& read);
  static Seen Fingerprint(std::string_view bytes);
  IoStatus LoadFailed(std::wstring message);
  // Writes the content of the file, the mark added in front where the
  // encoding has one; refused without the content or the file's lines.
  IoStatus Write(const std::function<std::optional<std::string>(const Codec&)>& content);

  FilePort& port_;
  const Codec& ansi_;
  std::wstring path_;
  bool system_utf8_;
  FileEncoding encoding_;
  // Whether the file's lines reached the list: not tried yet; a load has
  // succeeded (or found no file); every load so far failed.
  enum class LoadStatus { kNotYet, kLoaded, kUnread };
  LoadStatus load_ = LoadStatus::kNotYet;
  std::optional<Seen> seen_;  // nothing until a read or a write succeeded
};

}  // namespace quillet
