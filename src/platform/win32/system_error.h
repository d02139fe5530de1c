#pragma once

#include <windows.h>

#include <string>

#include "store/io_status.h"

namespace quillet {

// The system's own text for an error code followed by the number, such as
// "Access is denied. (5)"; when the system has no text, "系统错误 (5)".
std::wstring SystemErrorMessage(DWORD code);

// A failed status carrying the message of `code`.
IoStatus SystemFailure(DWORD code);

// A failed status for the calling thread's last error. Call it right after
// the failing function, before anything else can change the last error.
IoStatus LastErrorFailure();

}  // namespace quillet
