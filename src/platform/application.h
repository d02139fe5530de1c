#pragma once

#include <string>

namespace quillet {

class Application {
 public:
  virtual ~Application() = default;
  // Ends the program at once: every window closes, no other closing handler runs.
  virtual void Quit() = 0;
  // Asks the system to hold the end of the session, giving `reason` for the
  // user to read; the user then decides. EndSessionAllowed withdraws it.
  virtual void BlockEndOfSession(const std::wstring& reason) = 0;
  virtual void EndSessionAllowed() = 0;
};

}  // namespace quillet
