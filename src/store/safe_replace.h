#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "store/io_status.h"

namespace quillet {

// What became of a step that the system may turn down before it changes anything.
struct StepOutcome {
  IoStatus status;
  // The system turned the step down and nothing was changed: for the temporary
  // file, the folder takes no new files or a name is in the way; for a rewrite
  // in place, the file could not be opened for writing.
  bool refused = false;

  static StepOutcome Ok() { return {}; }
  static StepOutcome Refused(IoStatus why) { return {std::move(why), true}; }
  static StepOutcome Failed(IoStatus why) { return {std::move(why), false}; }
};

// The primitive steps of a safe replacement, one implementation per system.
// At most one temporary file is open at a time.
class ReplaceSteps {
 public:
  virtual ~ReplaceSteps() = default;
  // The file that `path` names once links are followed, or an empty string
  // when that can't be told (no such file, no such folder).
  virtual std::wstring ResolveTarget(const std::wstring& path) = 0;
  // Creates the file, or cuts an existing one (a leftover) to length 0, and keeps it open.
  virtual StepOutcome CreateTemp(const std::wstring& temp_path) = 0;
  virtual IoStatus Write(std::string_view chunk) = 0;
  // Makes the written bytes durable before the replacement.
  virtual IoStatus Flush() = 0;
  virtual void CloseTemp() = 0;
  // Gives the closed temporary file what the target carries besides its bytes:
  // owner, permissions, attributes, creation time. Goes as far as the system
  // allows and reports the first refusal.
  virtual IoStatus CopyMetadata(const std::wstring& target_path, const std::wstring& temp_path) = 0;
  // Puts the temporary file in the target's place in one step; the target may not exist yet.
  virtual IoStatus Replace(const std::wstring& temp_path, const std::wstring& target_path) = 0;
  virtual void Remove(const std::wstring& temp_path) = 0;
  // Overwrites the existing target with `bytes`, cuts it to their length and
  // makes it durable. Not atomic: a failure partway leaves a mix.
  virtual StepOutcome RewriteInPlace(const std::wstring& target_path, std::string_view bytes) = 0;
};

// The temporary file of a save, beside the target. A leftover from a crash is
// harmless: nothing reads it, and the next save cuts and reuses it.
std::wstring TempPathFor(const std::wstring& target_path);

// Bytes are written in chunks of this size.
inline constexpr std::size_t kWriteChunk = 1 << 20;

// Writes `bytes` to a temporary file beside the file `target_path` names (a
// link is followed, and stays), flushes it, gives it the old file's owner,
// permissions, attributes and creation time where the system allows, and puts
// it in the file's place. On any failure the file keeps its old bytes, the
// temporary file is removed and the status carries the failing step's message.
// Where the folder refuses the temporary file, the file is rewritten in place
// as the last resort.
IoStatus SafeReplace(ReplaceSteps& steps, const std::wstring& target_path, std::string_view bytes);

}  // namespace quillet
