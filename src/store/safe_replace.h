#pragma once

#include <string>
#include <string_view>

#include "store/io_status.h"

namespace quillet {

// The primitive steps of a safe replacement, one implementation per system.
// At most one temporary file is open at a time.
class ReplaceSteps {
 public:
  virtual ~ReplaceSteps() = default;
  // Creates the file, or cuts an existing one (a leftover) to length 0, and keeps it open.
  virtual IoStatus CreateTemp(const std::wstring& temp_path) = 0;
  virtual IoStatus Write(std::string_view chunk) = 0;
  // Makes the written bytes durable before the replacement.
  virtual IoStatus Flush() = 0;
  virtual void CloseTemp() = 0;
  // Puts the temporary file in the target's place in one step; the target may not exist yet.
  virtual IoStatus Replace(const std::wstring& temp_path, const std::wstring& target_path) = 0;
  virtual void Remove(const std::wstring& temp_path) = 0;
};

// The temporary file of a save, beside the target. A leftover from a crash is
// harmless: nothing reads it, and the next save cuts and reuses it.
std::wstring TempPathFor(const std::wstring& target_path);

// Bytes are written in chunks of this size.
inline constexpr std::size_t kWriteChunk = 1 << 20;

// Writes `bytes` to a temporary file beside `target_path`, flushes it and puts it
// in the target's place. On any failure the target keeps its old bytes, the
// temporary file is removed and the status carries the failing step's message.
IoStatus SafeReplace(ReplaceSteps& steps, const std::wstring& target_path, std::string_view bytes);

}  // namespace quillet
