#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quillet {

// For the benchmark: when the environment variable QUILLET_STARTUP_MARKS
// names a file, each step of the start-up is written there as a line
// "step<TAB>milliseconds since the process was created". Otherwise nothing
// is recorded.
class StartupMarks {
 public:
  StartupMarks() {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(L"QUILLET_STARTUP_MARKS", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    path_ = path;
    FILETIME exit, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created_, &exit, &kernel, &user);
  }
  StartupMarks(const StartupMarks&) = delete;
  StartupMarks& operator=(const StartupMarks&) = delete;

  void Mark(const char* step) {
    if (path_.empty()) return;
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    marks_.emplace_back(step, (Ticks(now) - Ticks(created_)) / 10000.0);
  }

  // Writes the marks so far.
  void Write() const {
    if (path_.empty()) return;
    if (FILE* out = _wfopen(path_.c_str(), L"w")) {
      for (const auto& [step, ms] : marks_) std::fprintf(out, "%s\t%.2f\n", step, ms);
      std::fclose(out);
    }
  }

 private:
  static double Ticks(const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
  }
  std::wstring path_;
  FILETIME created_{};
  std::vector<std::pair<const char*, double>> marks_;
};

// The program's marks, read from the environment at the first step.
inline StartupMarks& TheStartupMarks() {
  static StartupMarks marks;
  return marks;
}
inline void MarkStartup(const char* step) { TheStartupMarks().Mark(step); }

}  // namespace quillet
