#include "platform/posix/posix_file_port.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "store/utf8_codec.h"

namespace quillet {
namespace {

IoStatus ErrorText(int err) { return IoStatus::Fail(Utf8Codec().Decode(std::strerror(err))); }

IoStatus Errno() { return ErrorText(errno); }

// Errors of a create that the system turned down rather than failed at.
bool IsRefusal(int err) { return err == EACCES || err == EPERM || err == EISDIR; }

IoStatus WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return Errno();
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return IoStatus::Ok();
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// POSIX reports no holds; the clock is there for the shared save.
class SteadyClock final : public HoldClock {
 public:
  std::uint64_t NowMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
  void Pause(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

std::string NativePath(const std::wstring& path) { return Utf8Codec().Encode(path).value_or(std::string()); }

std::wstring PosixFilePort::OutOfMemoryMessage() const { return ErrorText(ENOMEM).message; }

ReadOutcome PosixFilePort::ReadAll(const std::wstring& path) {
  ReadOutcome out;
  Fd fd(::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    out.kind = errno == ENOENT ? ReadOutcome::Kind::kMissing : ReadOutcome::Kind::kFailed;
    out.message = Errno().message;
    return out;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && st.st_size > 0) out.bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      out.kind = ReadOutcome::Kind::kFailed;
      out.message = Errno().message;
      out.bytes.clear();
      return out;
    }
    out.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return out;
}

IoStatus PosixFilePort::ReplaceAll(const std::wstring& path, std::string_view bytes) {
  PosixReplaceSteps steps;
  SteadyClock clock;
  return SafeReplace(steps, clock, path, bytes);
}

IoStatus PosixFilePort::ProbeWritable(const std::wstring& path) {
  PosixReplaceSteps steps;
  return ProbeSave(steps, path);
}

SaveTarget PosixReplaceSteps::ResolveTarget(const std::wstring& path) {
  const std::string native = NativePath(path);
  char resolved[PATH_MAX];
  struct stat st {};
  if (::realpath(native.c_str(), resolved) == nullptr || ::stat(resolved, &st) != 0) {
    return {{}, 0, ::lstat(native.c_str(), &st) == 0 && S_ISLNK(st.st_mode)};
  }
  return {Utf8Codec().Decode(resolved), static_cast<unsigned>(st.st_nlink)};
}

StepOutcome PosixReplaceSteps::CreateThroughLink(const std::wstring& link_path) {
  // Without O_EXCL, open(2) follows the link and makes its file.
  Fd fd(::open(NativePath(link_path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  return fd.get() >= 0 ? StepOutcome::Ok() : StepOutcome::Failed(Errno());
}

IoStatus PosixReplaceSteps::TryCreateAndRemove(const std::wstring& path) {
  const std::string native = NativePath(path);
  Fd fd(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (fd.get() < 0) return Errno();
  ::unlink(native.c_str());
  return IoStatus::Ok();
}

IoStatus PosixReplaceSteps::TryOpenForWriting(const std::wstring& path) {
  Fd fd(::open(NativePath(path).c_str(), O_WRONLY | O_CLOEXEC));
  return fd.get() >= 0 ? IoStatus::Ok() : Errno();
}

StepOutcome PosixReplaceSteps::CreateTemp(const std::wstring& temp_path) {
  fd_ = ::open(NativePath(temp_path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ >= 0) return StepOutcome::Ok();
  const int err = errno;
  return {ErrorText(err), IsRefusal(err)};
}

IoStatus PosixReplaceSteps::Write(std::string_view chunk) { return WriteAll(fd_, chunk); }

IoStatus PosixReplaceSteps::Flush() { return ::fsync(fd_) == 0 ? IoStatus::Ok() : Errno(); }

void PosixReplaceSteps::CloseTemp() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

IoStatus PosixReplaceSteps::CopyMetadata(const std::wstring& target_path, const std::wstring& temp_path) {
  struct stat st {};
  if (::stat(NativePath(target_path).c_str(), &st) != 0) return Errno();
  const std::string temp = NativePath(temp_path);
  IoStatus status;
  // The owner first: a change of owner may clear the set-id bits.
  if (::chown(temp.c_str(), st.st_uid, st.st_gid) != 0) status = Errno();
  if (::chmod(temp.c_str(), st.st_mode & 07777) != 0 && status) status = Errno();
  return status;
}

IoStatus PosixReplaceSteps::Replace(const std::wstring& temp_path, const std::wstring& target_path) {
  return ::rename(NativePath(temp_path).c_str(), NativePath(target_path).c_str()) == 0 ? IoStatus::Ok() : Errno();
}

void PosixReplaceSteps::Remove(const std::wstring& temp_path) { ::unlink(NativePath(temp_path).c_str()); }

StepOutcome PosixReplaceSteps::RewriteInPlace(const std::wstring& target_path, std::string_view bytes) {
  Fd fd(::open(NativePath(target_path).c_str(), O_WRONLY | O_CLOEXEC));
  if (fd.get() < 0) return StepOutcome::Refused(Errno());
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return StepOutcome::Refused(Errno());
  if (!S_ISREG(st.st_mode)) return StepOutcome::Refused(ErrorText(EISDIR));
  // Room for a longer text first, so that a full disk fails before any old
  // byte is overwritten. File systems without the call take their chances.
  if (static_cast<unsigned long long>(st.st_size) < bytes.size()) {
    const int err = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()));
    if (err == ENOSPC || err == EFBIG) return StepOutcome::Refused(ErrorText(err));
  }
  IoStatus status = WriteAll(fd.get(), bytes);
  if (status && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) status = Errno();
  if (status && ::fsync(fd.get()) != 0) status = Errno();
  return status ? StepOutcome::Ok() : StepOutcome::Failed(status);
}

}  // namespace quillet
