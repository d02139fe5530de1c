#pragma once

#include <exception>
#include <functional>
#include <type_traits>

namespace quillet {

// Where exceptions stop: at every window procedure, subclass procedure, COM
// method and system callback, and at the message loop's key preview, so that
// none unwinds through the system's frames. The program says how one is
// reported; until it does, it is dropped.
void SetExceptionReporter(std::function<void(std::exception_ptr)> report);

// Call inside a catch block. Never throws; a report already on screen is not
// joined by another (a failing paint would otherwise stack them up).
void ReportCurrentException() noexcept;

// The one guard of every entry point from the system: runs `body` and returns
// its result; an exception is reported and `fallback` answers instead. A
// fallback that can be called is called only then (the system's own handling
// of a message, say).
template <class Fallback, class Body>
auto Guarded(Fallback&& fallback, Body&& body) noexcept -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    ReportCurrentException();
  }
  if constexpr (std::is_invocable_v<Fallback>) {
    return fallback();
  } else {
    return fallback;
  }
}

}  // namespace quillet
