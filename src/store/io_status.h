#pragma once

#include <string>
#include <utility>

namespace quillet {

// A save the entry file turned down before asking the system: the text holds
// a character the file's encoding can't represent, or the file's lines never
// reached the list (every load so far failed).
enum class SaveRefusal { kNone, kUnstorableText, kUnreadFile };

// Outcome of a file operation. A failure of the system carries the system's
// own message (or ours, where the system has none), ready to be shown to the
// user; a refusal of the store says which one, for the windows to word.
struct IoStatus {
  bool ok = true;
  std::wstring message;
  SaveRefusal refusal = SaveRefusal::kNone;
  // The file is held by another program for the moment (a scanner, an
  // indexer, a sync client): the same step may succeed a little later.
  bool held = false;
  // The failure concerns the backup beside the entry file, not the file itself.
  bool in_backup = false;

  static IoStatus Ok() { return {}; }
  static IoStatus Fail(std::wstring why) { return {false, std::move(why)}; }
  static IoStatus Refused(SaveRefusal why) { return {false, {}, why}; }
  static IoStatus Held(std::wstring why) { return {false, std::move(why), SaveRefusal::kNone, true}; }
  explicit operator bool() const { return ok; }
};

}  // namespace quillet
