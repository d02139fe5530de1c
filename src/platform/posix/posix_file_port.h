#pragma once

#include "store/file_port.h"
#include "store/safe_replace.h"

namespace quillet {

// Paths are wide text, passed to the system as UTF-8.
std::string NativePath(const std::wstring& path);

// The POSIX steps of a safe replacement: write(2), fsync(2), rename(2).
class PosixReplaceSteps : public ReplaceSteps {
 public:
  ~PosixReplaceSteps() override { CloseTemp(); }
  IoStatus CreateTemp(const std::wstring& temp_path) override;
  IoStatus Write(std::string_view chunk) override;
  IoStatus Flush() override;
  void CloseTemp() override;
  IoStatus Replace(const std::wstring& temp_path, const std::wstring& target_path) override;
  void Remove(const std::wstring& temp_path) override;

 private:
  int fd_ = -1;
};

class PosixFilePort final : public FilePort {
 public:
  ReadOutcome ReadAll(const std::wstring& path) override;
  IoStatus ReplaceAll(const std::wstring& path, std::string_view bytes) override;
};

}  // namespace quillet
