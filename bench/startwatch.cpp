// Times a program's start: from CreateProcess until a visible top-level window
// with the given title exists. The main window is shown only after its list is
// filled, so for Quillet this is "window shown and list filled".
//   startwatch.exe TITLE PROGRAM.exe LINGER_MS  ->  prints milliseconds, then
// leaves the program idle for LINGER_MS (to be measured from outside) and ends it.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  const DWORD linger = static_cast<DWORD>(_wtoi(argv[3]));
  const std::wstring title = argv[1];
  // The full path: a bare name would be looked for beside startwatch.exe first.
  wchar_t program[MAX_PATH];
  if (GetFullPathNameW(argv[2], MAX_PATH, program, nullptr) == 0) return 2;
  std::wstring command = L"\"" + std::wstring(program) + L"\"";
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 3;
  for (int spins = 0; spins < 200000; ++spins) {
    const HWND window = FindWindowW(nullptr, title.c_str());
    if (window != nullptr && IsWindowVisible(window)) {
      QueryPerformanceCounter(&now);
      std::printf("%.1f\n", 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart);
      std::fflush(stdout);
      Sleep(linger);
      TerminateProcess(process.hProcess, 0);
      WaitForSingleObject(process.hProcess, 5000);
      return 0;
    }
    Sleep(1);
  }
  return 1;
}
