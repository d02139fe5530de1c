#include "platform/win32/win32_file_port.h"

#include <algorithm>
#include <new>
#include <vector>

#include "platform/win32/system_error.h"

namespace quillet {
namespace {

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;
// Attributes that make CREATE_ALWAYS refuse to reuse an existing file.
constexpr DWORD kBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// Attributes of the old file that the new one must take over, or the save fails.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// Attributes of the old file that the new one takes over where the system allows.
// A read-only file never gets this far.
constexpr DWORD kCopiedAttributes = kKeptAttributes | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// ReadFile and WriteFile count in DWORDs; stay well below.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;

// The errors another program's open handle causes for a moment.
IoStatus HeldOrFailure(DWORD error) {
  IoStatus status = SystemFailure(error);
  status.held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
  return status;
}

// Access denied on an existing file the user made read-only is that
// protection, not a hold.
IoStatus OpenFailure(const std::wstring& path, DWORD error) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (error == ERROR_ACCESS_DENIED && attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return SystemFailure(error);
  }
  return HeldOrFailure(error);
}

class TickClock final : public HoldClock {
 public:
  std::uint64_t NowMs() override { return ::GetTickCount64(); }
  void Pause(std::uint32_t ms) override { ::Sleep(ms); }
};

ReadOutcome Failed(std::wstring message) {
  ReadOutcome out;
  out.kind = ReadOutcome::Kind::kFailed;
  out.message = std::move(message);
  return out;
}

// The attributes the new file gets in place of the old one's. The archive
// attribute tells backups that the bytes changed, so it is set whatever the old
// file said.
DWORD AttributesTakenOver(DWORD old_attributes) {
  return (old_attributes & kCopiedAttributes) | FILE_ATTRIBUTE_ARCHIVE;
}

IoStatus WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD want = static_cast<DWORD>(std::min(bytes.size(), kMaxTransfer));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), want, &written, nullptr)) return LastErrorFailure();
    // A write that reports success but moves nothing would loop for ever.
    if (written == 0) return SystemFailure(ERROR_WRITE_FAULT);
    bytes.remove_prefix(std::min<std::size_t>(written, bytes.size()));
  }
  return IoStatus::Ok();
}

// The owner, group and permissions of a file, as a self-relative descriptor;
// empty when they can't be read.
std::vector<BYTE> SecurityOf(const std::wstring& path, SECURITY_INFORMATION parts) {
  DWORD needed = 0;
  ::GetFileSecurityW(path.c_str(), parts, nullptr, 0, &needed);
  std::vector<BYTE> descriptor(needed);
  if (needed == 0 || !::GetFileSecurityW(path.c_str(), parts, descriptor.data(), needed, &needed)) return {};
  return descriptor;
}

// Gives `to` the owner, group and permissions of `from`. Only a privileged
// user may hand a file to someone else: then the permissions alone are
// copied, and the refusal is still reported through the last error.
bool CopySecurity(const std::wstring& from, const std::wstring& to) {
  constexpr SECURITY_INFORMATION kParts =
      OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  std::vector<BYTE> descriptor = SecurityOf(from, kParts);
  if (descriptor.empty()) return false;
  // Nothing to write when the new file got the same by itself. Wine, which
  // keeps permissions as a Unix mode, would not give back the same mode.
  if (SecurityOf(to, kParts) == descriptor) return true;
  if (::SetFileSecurityW(to.c_str(), kParts, descriptor.data())) return true;
  const DWORD refusal = ::GetLastError();
  ::SetFileSecurityW(to.c_str(), DACL_SECURITY_INFORMATION, descriptor.data());
  ::SetLastError(refusal);
  return false;
}

// A final path without its "\\?\" prefix where the plain form, with the
// temporary file's suffix, still fits the classic path limit.
std::wstring PlainPath(const std::wstring& path) {
  const std::wstring_view prefix = L"\\\\?\\";
  const std::wstring_view unc_prefix = L"\\\\?\\UNC\\";
  if (!path.starts_with(prefix) || path.size() - prefix.size() + TempPathFor(L"").size() >= MAX_PATH) return path;
  if (path.starts_with(unc_prefix)) return L"\\\\" + path.substr(unc_prefix.size());
  if (path.size() > prefix.size() + 1 && path[prefix.size() + 1] == L':') {
    return path.substr(prefix.size());
  }
  return path;
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
  try {
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
  } catch (const std::bad_alloc&) {
    // A file larger than the memory we can get is a failure to read, not a crash.
    return Failed(SystemErrorMessage(ERROR_NOT_ENOUGH_MEMORY));
  }
  out.bytes.resize(filled);
  return out;
}

std::wstring Win32FilePort::OutOfMemoryMessage() const { return SystemErrorMessage(ERROR_NOT_ENOUGH_MEMORY); }

IoStatus Win32FilePort::ReplaceAll(const std::wstring& path, std::string_view bytes) {
  Win32ReplaceSteps steps;
  TickClock clock;
  return SafeReplace(steps, clock, path, bytes);
}

IoStatus Win32FilePort::ProbeWritable(const std::wstring& path) {
  Win32ReplaceSteps steps;
  return ProbeSave(steps, path);
}

SaveTarget Win32ReplaceSteps::ResolveTarget(const std::wstring& path) {
  // Opening follows every link; the handle then knows the file's own path.
  FileHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    // The name itself, unfollowed, may be a link that leads nowhere.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return {{},
            0,
            (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) && attributes != kNoAttributes &&
                (attributes & FILE_ATTRIBUTE_REPARSE_POINT)};
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const unsigned links = ::GetFileInformationByHandle(file.get(), &info) ? info.nNumberOfLinks : 0;
  std::wstring final_path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(
        file.get(), final_path.data(), static_cast<DWORD>(final_path.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {{}, links};
    if (length < final_path.size()) {
      final_path.resize(length);
      break;
    }
    final_path.resize(length);  // the size needed, with the terminating zero
  }
  return {PlainPath(final_path), links};
}

StepOutcome Win32ReplaceSteps::CreateThroughLink(const std::wstring& link_path) {
  // Opening a link follows it, and makes its missing file.
  FileHandle file(::CreateFileW(link_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  return file ? StepOutcome::Ok() : StepOutcome::Failed(HeldOrFailure(::GetLastError()));
}

IoStatus Win32ReplaceSteps::TryCreateAndRemove(const std::wstring& path) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN, nullptr));
  if (!file) return LastErrorFailure();
  // Gone once the handle closes, whatever happens meanwhile.
  FILE_DISPOSITION_INFO disposition{TRUE};
  if (!::SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition, sizeof disposition)) {
    const IoStatus status = LastErrorFailure();
    file.reset();
    ::DeleteFileW(path.c_str());
    return status;
  }
  return IoStatus::Ok();
}

IoStatus Win32ReplaceSteps::TryOpenForWriting(const std::wstring& path) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastErrorFailure();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.get(), &info)) return LastErrorFailure();
  // As in RewriteInPlace: Wine lets a privileged user open a read-only file.
  if (info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
    return SystemFailure(ERROR_ACCESS_DENIED);
  }
  return IoStatus::Ok();
}

StepOutcome Win32ReplaceSteps::CreateTemp(const std::wstring& temp_path) {
  temp_.reset();
  // A leftover of an interrupted save is ours to reuse, whatever became of its attributes.
  const DWORD attributes = ::GetFileAttributesW(temp_path.c_str());
  if (attributes != kNoAttributes && !(attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & kBlockingAttributes)) {
    ::SetFileAttributesW(temp_path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  temp_.reset(
      ::CreateFileW(temp_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (temp_) return StepOutcome::Ok();
  // Denied: the folder takes no new files, or a folder of that name is in the
  // way; or a leftover is still held by another program, being deleted.
  const DWORD error = ::GetLastError();
  IoStatus status = HeldOrFailure(error);
  if (error == ERROR_ACCESS_DENIED) {
    const DWORD left = ::GetFileAttributesW(temp_path.c_str());
    status.held = left == kNoAttributes ? ::GetLastError() == ERROR_ACCESS_DENIED : !(left & FILE_ATTRIBUTE_DIRECTORY);
  }
  return {status, error == ERROR_ACCESS_DENIED};
}

IoStatus Win32ReplaceSteps::Write(std::string_view chunk) { return WriteAll(temp_.get(), chunk); }

IoStatus Win32ReplaceSteps::Flush() { return ::FlushFileBuffers(temp_.get()) ? IoStatus::Ok() : LastErrorFailure(); }

void Win32ReplaceSteps::CloseTemp() { temp_.reset(); }

IoStatus Win32ReplaceSteps::CopyMetadata(const std::wstring& target_path, const std::wstring& temp_path) {
  WIN32_FILE_ATTRIBUTE_DATA old{};
  if (!::GetFileAttributesExW(target_path.c_str(), GetFileExInfoStandard, &old)) return LastErrorFailure();
  IoStatus status;
  const auto note = [&status](bool done) {
    if (!done && status) status = LastErrorFailure();
  };
  {
    FileHandle temp(::CreateFileW(temp_path.c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    note(temp && ::SetFileTime(temp.get(), &old.ftCreationTime, nullptr, nullptr));
  }
  note(::SetFileAttributesW(temp_path.c_str(), AttributesTakenOver(old.dwFileAttributes)));
  // Last: the old permissions may deny us what the steps above need.
  note(CopySecurity(target_path, temp_path));
  return status;
}

IoStatus Win32ReplaceSteps::Replace(const std::wstring& temp_path, const std::wstring& target_path) {
  const DWORD attributes = ::GetFileAttributesW(target_path.c_str());
  if (attributes == kNoAttributes) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return SystemFailure(error);
  } else {
    // The user protected the file: the save fails and the protection stays.
    if (attributes & FILE_ATTRIBUTE_READONLY) return SystemFailure(ERROR_ACCESS_DENIED);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return SystemFailure(ERROR_ACCESS_DENIED);
    // A hidden entry file stays hidden, or is not saved.
    if ((attributes & kKeptAttributes) && !::SetFileAttributesW(temp_path.c_str(), AttributesTakenOver(attributes))) {
      return LastErrorFailure();
    }
  }
  // One rename that replaces the old file, or fails and leaves it as it was.
  // ReplaceFileW is not used: without a backup name it may delete the old
  // file before the new one is in place (and Wine's version leaves a stray
  // temporary file beside the target whenever it fails).
  return ::MoveFileExW(temp_path.c_str(), target_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? IoStatus::Ok()
             : HeldOrFailure(::GetLastError());
}

void Win32ReplaceSteps::Remove(const std::wstring& temp_path) {
  ::SetFileAttributesW(temp_path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(temp_path.c_str());
}

StepOutcome Win32ReplaceSteps::RewriteInPlace(const std::wstring& target_path, std::string_view bytes) {
  // No sharing: nobody reads the file while its old bytes are overwritten.
  FileHandle file(
      ::CreateFileW(target_path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return StepOutcome::Refused(OpenFailure(target_path, ::GetLastError()));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.get(), &info)) return StepOutcome::Refused(LastErrorFailure());
  // The user protected the file. Windows refuses the open already; Wine lets
  // a privileged user through.
  if (info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
    return StepOutcome::Refused(SystemFailure(ERROR_ACCESS_DENIED));
  }
  const unsigned long long old_size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  // Room for a longer text first, so that a full disk fails before any old
  // byte is overwritten.
  if (bytes.size() > old_size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(bytes.size());
    if (!::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.get())) {
      return StepOutcome::Refused(LastErrorFailure());
    }
    if (!::SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
      return StepOutcome::Failed(LastErrorFailure());
    }
  }
  IoStatus status = WriteAll(file.get(), bytes);
  if (status && !::SetEndOfFile(file.get())) status = LastErrorFailure();
  if (status && !::FlushFileBuffers(file.get())) status = LastErrorFailure();
  return status ? StepOutcome::Ok() : StepOutcome::Failed(status);
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
