#include "platform/win32/boundary.h"

#include <utility>

namespace quillet {
namespace {

struct Reporter {
  std::function<void(std::exception_ptr)> report;
  bool reporting = false;
};

Reporter& TheReporter() {
  static Reporter reporter;
  return reporter;
}

}  // namespace

void SetExceptionReporter(std::function<void(std::exception_ptr)> report) { TheReporter().report = std::move(report); }

void ReportCurrentException() noexcept {
  Reporter& reporter = TheReporter();
  if (!reporter.report || reporter.reporting) return;
  reporter.reporting = true;
  try {
    reporter.report(std::current_exception());
  } catch (...) {
  }
  reporter.reporting = false;
}

}  // namespace quillet
