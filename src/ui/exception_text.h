#pragma once

#include <exception>
#include <string>

namespace quillet {

// The message that reports an exception stopped at the boundary of a window
// procedure or a system callback: what failed, in the system's words for a
// lack of memory.
std::wstring ExceptionMessage(std::exception_ptr error, const std::wstring& out_of_memory_text);

}  // namespace quillet
