#pragma once

#include <exception>
#include <functional>

namespace quillet {

// Where exceptions stop: at every window procedure and system callback, so
// that none unwinds through the system's frames. The program says how one is
// reported; until it does, it is dropped.
void SetExceptionReporter(std::function<void(std::exception_ptr)> report);

// Call inside a catch block. Never throws; a report already on screen is not
// joined by another (a failing paint would otherwise stack them up).
void ReportCurrentException() noexcept;

}  // namespace quillet
