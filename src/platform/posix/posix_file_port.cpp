#include "platform/posix/posix_file_port.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "store/utf8_codec.h"

namespace quillet {
namespace {

IoStatus Errno() {
  const int err = errno;
  return IoStatus::Fail(Utf8Codec().Decode(std::strerror(err)));
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

}  // namespace

std::string NativePath(const std::wstring& path) { return Utf8Codec().Encode(path).value_or(std::string()); }

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
  return SafeReplace(steps, path, bytes);
}

IoStatus PosixReplaceSteps::CreateTemp(const std::wstring& temp_path) {
  fd_ = ::open(NativePath(temp_path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return fd_ < 0 ? Errno() : IoStatus::Ok();
}

IoStatus PosixReplaceSteps::Write(std::string_view chunk) {
  while (!chunk.empty()) {
    const ssize_t n = ::write(fd_, chunk.data(), chunk.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return Errno();
    }
    chunk.remove_prefix(static_cast<std::size_t>(n));
  }
  return IoStatus::Ok();
}

IoStatus PosixReplaceSteps::Flush() { return ::fsync(fd_) == 0 ? IoStatus::Ok() : Errno(); }

void PosixReplaceSteps::CloseTemp() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

IoStatus PosixReplaceSteps::Replace(const std::wstring& temp_path, const std::wstring& target_path) {
  return ::rename(NativePath(temp_path).c_str(), NativePath(target_path).c_str()) == 0 ? IoStatus::Ok() : Errno();
}

void PosixReplaceSteps::Remove(const std::wstring& temp_path) { ::unlink(NativePath(temp_path).c_str()); }

}  // namespace quillet
