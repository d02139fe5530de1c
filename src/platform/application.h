#pragma once

namespace quillet {

class Application {
 public:
  virtual ~Application() = default;
  // Ends the program at once: every window closes, no other closing handler runs.
  virtual void Quit() = 0;
};

}  // namespace quillet
