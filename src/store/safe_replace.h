#pragma once

#include <algorithm>
#include <cstdint>
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

// What a name leads to.
struct SaveTarget {
  // The file once links are followed, or empty when that can't be told (no
  // such file, no such folder).
  std::wstring path;
  // How many names (hard links) the file has; 0 when unknown.
  unsigned links = 0;
  // The name is a symbolic link whose file is missing.
  bool dangling_link = false;
};

// The primitive steps of a safe replacement, one implementation per system.
// At most one temporary file is open at a time. A step that fails because
// another program holds the file for the moment says so (IoStatus::held); a
// file the user protected (read-only) is no hold.
class ReplaceSteps {
 public:
  virtual ~ReplaceSteps() = default;
  virtual SaveTarget ResolveTarget(const std::wstring& path) = 0;
  // Makes an empty file where the symbolic link `link_path` points; the link stays.
  virtual StepOutcome CreateThroughLink(const std::wstring& link_path) = 0;
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
  // Makes a new file of that name and removes it at once; fails when it exists.
  virtual IoStatus TryCreateAndRemove(const std::wstring& path) = 0;
  // Opens the existing file for writing and closes it, writing nothing.
  virtual IoStatus TryOpenForWriting(const std::wstring& path) = 0;
};

// The time a save waits for a hold to pass, and how.
class HoldClock {
 public:
  virtual ~HoldClock() = default;
  virtual std::uint64_t NowMs() = 0;
  virtual void Pause(std::uint32_t ms) = 0;
};

// A hold lasts tens to hundreds of milliseconds; a save waits this long in
// all before it gives the hold's message, pausing first this long and twice
// as long each time after.
inline constexpr std::uint32_t kHoldBudgetMs = 2000;
inline constexpr std::uint32_t kFirstHoldPauseMs = 10;

inline bool IsHeld(const IoStatus& status) { return !status && status.held; }
inline bool IsHeld(const StepOutcome& outcome) { return IsHeld(outcome.status); }

// Runs `step` until it is not held, or until the budget is spent; gives its last outcome.
template <class Step>
auto RideOutHold(HoldClock& clock, Step&& step) {
  auto outcome = step();
  if (!IsHeld(outcome)) return outcome;
  const std::uint64_t start = clock.NowMs();
  for (std::uint32_t pause = kFirstHoldPauseMs; IsHeld(outcome); pause *= 2) {
    const std::uint64_t spent = clock.NowMs() - start;
    if (spent >= kHoldBudgetMs) break;
    clock.Pause(static_cast<std::uint32_t>(std::min<std::uint64_t>(pause, kHoldBudgetMs - spent)));
    outcome = step();
  }
  return outcome;
}

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
// as the last resort. A file with several names is rewritten in place, so
// that every name sees the new bytes; a link whose file is missing gets the
// file made where it points. Creating the temporary file, the replacement and
// the rewrite in place wait out another program's hold (see RideOutHold).
IoStatus SafeReplace(ReplaceSteps& steps, HoldClock& clock, const std::wstring& target_path, std::string_view bytes);

// A file made and removed at once beside the target, to see whether the folder takes new files.
std::wstring ProbePathFor(const std::wstring& target_path);

// Whether a save of `target_path` could succeed, found out without changing
// anything: the folder takes a new file, or the file itself opens for
// writing. On failure, the folder's reason.
IoStatus ProbeSave(ReplaceSteps& steps, const std::wstring& target_path);

}  // namespace quillet
