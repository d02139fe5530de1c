#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quillet::test {

// A fresh folder under the temporary directory, removed with everything in
// it at the end, read-only files included.
struct TempFolder {
  TempFolder() {
    static int count = 0;
    path = (std::filesystem::temp_directory_path() /
            (L"quillet-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++count)))
               .wstring();
    std::filesystem::create_directory(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored))
      ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::wstring path;
};

// Writes and reads a file directly, without the code under test.
inline void WriteDirectly(const std::wstring& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}
inline std::string ReadDirectly(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<unreadable>";
}

}  // namespace quillet::test
