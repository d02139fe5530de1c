#pragma once

#include <string>
#include <string_view>

#include "store/io_status.h"

namespace quillet {

struct ReadOutcome {
  enum class Kind { kOk, kMissing, kFailed };
  Kind kind = Kind::kOk;
  std::string bytes;     // the whole file when kOk
  std::wstring message;  // the system's message when kFailed
};

// The store's only way to the file system: read every byte of a file, or
// replace every byte of it in one step (the old content survives any failure).
class FilePort {
 public:
  virtual ~FilePort() = default;
  virtual ReadOutcome ReadAll(const std::wstring& path) = 0;
  virtual IoStatus ReplaceAll(const std::wstring& path, std::string_view bytes) = 0;
  // Whether ReplaceAll could succeed, found out without changing the file or
  // leaving anything behind; on failure, the system's reason.
  virtual IoStatus ProbeWritable(const std::wstring& path) = 0;
  // The system's words for a lack of memory, for a file too large to hold.
  virtual std::wstring OutOfMemoryMessage() const = 0;
};

}  // namespace quillet
