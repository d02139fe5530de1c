#pragma once

#include <windows.h>

#include <functional>

namespace quillet {

// The thread's message loop until WM_QUIT; returns its exit code. Every
// message goes first to `preview` (the windows' key preview), behind the
// boundary: true uses the message up. A preview that fails is reported and
// its message used up, so that a key whose handling failed does not go on to
// the focused control.
int RunMessageLoop(const std::function<bool(const MSG&)>& preview);

}  // namespace quillet
