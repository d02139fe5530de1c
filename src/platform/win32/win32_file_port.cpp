#include "platform/win32/win32_file_port.h"

#include <algorithm>

#include "platform/win32/system_error.h"

namespace quillet {
namespace {

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;
// Attributes that make CREATE_ALWAYS refuse to reuse an existing file.
constexpr DWORD kBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// Attributes of the old file that the new one takes over.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// ReadFile and WriteFile count in DWORDs; stay well below.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;

ReadOutcome Failed(std::wstring message) {
  ReadOutcome out;
  out.kind = ReadOutcome::Kind::kFailed;
  out.message = std::move(message);
  return out;
}

}  // namespace

ReadOutcome Win32FilePort::ReadAll(const std::wstring& path) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    ReadOutcome out = Failed(SystemErrorMessage(error));
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) out.kind = ReadOutcome::Kind::kMissing;
    return out;
  }

  // A folder of that name is no entry file; Windows refuses to open one this
  // way with "access denied", and so do we wherever the open succeeded.
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.get(), &info)) return Failed(SystemErrorMessage(::GetLastError()));
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Failed(SystemErrorMessage(ERROR_ACCESS_DENIED));

  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return Failed(SystemErrorMessage(::GetLastError()));
  ReadOutcome out;
  if (static_cast<unsigned long long>(size.QuadPart) >= out.bytes.max_size()) {
    return Failed(SystemErrorMessage(ERROR_NOT_ENOUGH_MEMORY));
  }

  // Read what the size promised, then on until the end in case the file grew.
  std::size_t expected = static_cast<std::size_t>(size.QuadPart);
  std::size_t filled = 0;
  for (;;) {
    if (filled == expected) {
      expected += 1 << 16;
      if (out.bytes.capacity() < expected) out.bytes.reserve(std::max(expected, out.bytes.capacity() * 3 / 2));
    }
    out.bytes.resize(expected);
    const DWORD want = static_cast<DWORD>(std::min(expected - filled, kMaxTransfer));
    DWORD got = 0;
    if (!::ReadFile(file.get(), out.bytes.data() + filled, want, &got, nullptr)) {
      return Failed(SystemErrorMessage(::GetLastError()));
    }
    if (got == 0) break;
    filled += got;
  }
  out.bytes.resize(filled);
  return out;
}

IoStatus Win32FilePort::ReplaceAll(const std::wstring& path, std::string_view bytes) {
  Win32ReplaceSteps steps;
  return SafeReplace(steps, path, bytes);
}

IoStatus Win32ReplaceSteps::CreateTemp(const std::wstring& temp_path) {
  temp_.reset();
  // A leftover of an interrupted save is ours to reuse, whatever became of its attributes.
  const DWORD attributes = ::GetFileAttributesW(temp_path.c_str());
  if (attributes != kNoAttributes && !(attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & kBlockingAttributes)) {
    ::SetFileAttributesW(temp_path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  temp_.reset(::CreateFileW(temp_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return temp_ ? IoStatus::Ok() : LastErrorFailure();
}

IoStatus Win32ReplaceSteps::Write(std::string_view chunk) {
  while (!chunk.empty()) {
    const DWORD want = static_cast<DWORD>(std::min(chunk.size(), kMaxTransfer));
    DWORD written = 0;
    if (!::WriteFile(temp_.get(), chunk.data(), want, &written, nullptr)) return LastErrorFailure();
    // A write that reports success but moves nothing would loop for ever.
    if (written == 0) return SystemFailure(ERROR_WRITE_FAULT);
    chunk.remove_prefix(std::min<std::size_t>(written, chunk.size()));
  }
  return IoStatus::Ok();
}

IoStatus Win32ReplaceSteps::Flush() { return ::FlushFileBuffers(temp_.get()) ? IoStatus::Ok() : LastErrorFailure(); }

void Win32ReplaceSteps::CloseTemp() { temp_.reset(); }

IoStatus Win32ReplaceSteps::Replace(const std::wstring& temp_path, const std::wstring& target_path) {
  const DWORD attributes = ::GetFileAttributesW(target_path.c_str());
  if (attributes == kNoAttributes) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return SystemFailure(error);
  } else {
    // The user protected the file: the save fails and the protection stays.
    if (attributes & FILE_ATTRIBUTE_READONLY) return SystemFailure(ERROR_ACCESS_DENIED);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return SystemFailure(ERROR_ACCESS_DENIED);
    // A hidden entry file stays hidden.
    const DWORD kept = attributes & kKeptAttributes;
    if (kept != 0 && !::SetFileAttributesW(temp_path.c_str(), kept)) return LastErrorFailure();
  }
  // One rename that replaces the old file, or fails and leaves it as it was.
  // ReplaceFileW is not used: without a backup name it may delete the old
  // file before the new one is in place (and Wine's version leaves a stray
  // temporary file beside the target whenever it fails).
  return ::MoveFileExW(temp_path.c_str(), target_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? IoStatus::Ok()
             : LastErrorFailure();
}

void Win32ReplaceSteps::Remove(const std::wstring& temp_path) {
  ::SetFileAttributesW(temp_path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(temp_path.c_str());
}

std::wstring ExecutableDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    // A full buffer means the name may have been cut: grow and ask again.
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 0x8000) return std::wstring();  // longer than any path Windows allows
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring EntryFilePath() { return ExecutableDirectory() + L"\\data.txt"; }

}  // namespace quillet
