#pragma once

#include <string>
#include <utility>

namespace quillet {

// Outcome of a file operation. A failure carries the system's own message
// (or ours, where the system has none), ready to be shown to the user.
struct IoStatus {
  bool ok = true;
  std::wstring message;

  static IoStatus Ok() { return {}; }
  static IoStatus Fail(std::wstring why) { return {false, std::move(why)}; }
  explicit operator bool() const { return ok; }
};

}  // namespace quillet
