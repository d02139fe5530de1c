#pragma once

#include <map>
#include <new>
#include <string>

#include "platform/posix/iconv_codec.h"
#include "store/file_port.h"

namespace quillet::test {

// Code page 936 for native tests.
inline const Codec& Gbk() {
  static const IconvCodec codec("GBK");
  return codec;
}

// A file system in memory with one failure to inject at a time.
class MemoryFilePort : public FilePort {
 public:
  std::map<std::wstring, std::string> files;
  std::wstring fail_reads_with;   // non-empty: every read fails with this message
  std::wstring fail_writes_with;  // non-empty: every replacement fails with this message
  int reads = 0;
  bool out_of_memory = false;  // reads run out of memory

  ReadOutcome ReadAll(const std::wstring& path) override {
    ++reads;
    if (out_of_memory) throw std::bad_alloc();
    ReadOutcome out;
    const auto it = files.find(path);
    if (!fail_reads_with.empty())
      out.kind = ReadOutcome::Kind::kFailed, out.message = fail_reads_with;
    else if (it == files.end())
      out.kind = ReadOutcome::Kind::kMissing;
    else
      out.bytes = it->second;
    return out;
  }

  std::wstring OutOfMemoryMessage() const override { return L"内存资源不足，无法处理此命令。 (8)"; }

  IoStatus ReplaceAll(const std::wstring& path, std::string_view bytes) override {
    if (!fail_writes_with.empty()) return IoStatus::Fail(fail_writes_with);
    files[path] = std::string(bytes);
    return IoStatus::Ok();
  }
};

}  // namespace quillet::test
