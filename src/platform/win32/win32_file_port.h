#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/handles.h"
#include "store/file_port.h"
#include "store/safe_replace.h"

namespace quillet {

// The Windows steps of a safe replacement: GetFinalPathNameByHandleW,
// WriteFile, FlushFileBuffers, the old file's security descriptor, attributes
// and creation time, and a replacing MoveFileExW; in place, WriteFile and
// SetEndOfFile. A read-only target is left alone and the save fails.
// Sharing and lock violations, and access denied where no protection of the
// user's explains it, are holds of another program.
class Win32ReplaceSteps final : public ReplaceSteps {
 public:
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
  FileHandle temp_;
};

class Win32FilePort final : public FilePort {
 public:
  ReadOutcome ReadAll(const std::wstring& path) override;
  IoStatus ReplaceAll(const std::wstring& path, std::string_view bytes) override;
  IoStatus ProbeWritable(const std::wstring& path) override;
  std::wstring OutOfMemoryMessage() const override;
};

// The folder of the running program, without a trailing backslash.
std::wstring ExecutableDirectory();

// The entry file: data.txt beside the program.
std::wstring EntryFilePath();

}  // namespace quillet
