#pragma once

#include <map>
#include <new>
#include <string>
#include <vector>

#include "store/file_port.h"
#ifdef _WIN32
#include "platform/win32/ansi_codec.h"
#else
#include "tests/support/iconv_codec.h"
#endif

namespace quillet::test {

// Code page 936: Windows' own where the tests run on Windows.
inline const Codec& Gbk() {
#ifdef _WIN32
  static const AnsiCodec codec(936);
#else
  static const IconvCodec codec("GBK");
#endif
  return codec;
}

// A file system in memory with one failure to inject at a time.
class MemoryFilePort : public FilePort {
 public:
  std::map<std::wstring, std::string> files;
  std::wstring fail_reads_with;                         // non-empty: every read fails with this message
  std::wstring fail_writes_with;                        // non-empty: every replacement fails with this message
  std::map<std::wstring, std::wstring> fail_writes_to;  // a path's replacements fail with its message
  std::wstring probe_fails_with;                        // non-empty: the probe says no with this message
  std::vector<std::wstring> probed;                     // every path probed, in order
  bool out_of_memory = false;                           // reads run out of memory

  ReadOutcome ReadAll(const std::wstring& path) override {
    if (out_of_memory) throw std::bad_alloc();
    if (!fail_reads_with.empty()) return {ReadOutcome::Kind::kFailed, {}, fail_reads_with};
    const auto it = files.find(path);
    if (it == files.end()) return {ReadOutcome::Kind::kMissing, {}, {}};
    return {ReadOutcome::Kind::kOk, it->second, {}};
  }

  std::wstring OutOfMemoryMessage() const override { return L"内存资源不足，无法处理此命令。 (8)"; }

  IoStatus ReplaceAll(const std::wstring& path, std::string_view bytes) override {
    if (!fail_writes_with.empty()) return IoStatus::Fail(fail_writes_with);
    if (fail_writes_to.count(path)) return IoStatus::Fail(fail_writes_to[path]);
    files[path] = std::string(bytes);
    return IoStatus::Ok();
  }

  IoStatus ProbeWritable(const std::wstring& path) override {
    probed.push_back(path);
    return probe_fails_with.empty() ? IoStatus::Ok() : IoStatus::Fail(probe_fails_with);
  }
};

}  // namespace quillet::test
