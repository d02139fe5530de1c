#pragma once

#include "store/file_port.h"
#include "store/safe_replace.h"

namespace quillet {

// Paths are wide text, passed to the system as UTF-8.
std::string NativePath(const std::wstring& path);

// The POSIX steps of a safe replacement: realpath(3), write(2), fsync(2),
// the old file's owner and mode, rename(2); in place, write(2) and ftruncate(2).
class PosixReplaceSteps : public ReplaceSteps {
 public:
  ~PosixReplaceSteps() override { CloseTemp(); }
  SaveTarget ResolveTarget(const std::wstring& path) override;
  StepOutcome CreateThroughLink(const std::wstring& link_path) override;
  StepOutcome CreateTemp(const std::wstring& temp_path) override;
  IoStatus Write(std::string_view chunk) override;
  IoStatus Flush() override;
  void CloseTemp() override;
  IoStatus CopyMetadata(const std::wstring& target_path, const std::wstring& temp_path) override;
  IoStatus Replace(const std::wstring& temp_path, const std::wstring& target_path) override;
  void Remove(const std::wstring& temp_path) override;
  StepOutcome RewriteInPlace(const std::wstring& target_path, std::string_view bytes) override;
  IoStatus TryCreateAndRemove(const std::wstring& path) override;
  IoStatus TryOpenForWriting(const std::wstring& path) override;

 private:
  int fd_ = -1;
};

class PosixFilePort final : public FilePort {
 public:
  ReadOutcome ReadAll(const std::wstring& path) override;
  IoStatus ReplaceAll(const std::wstring& path, std::string_view bytes) override;
  IoStatus ProbeWritable(const std::wstring& path) override;
  std::wstring OutOfMemoryMessage() const override;
};

}  // namespace quillet
