// Load, lookup and save over generated entry files of realistic entries (GBK
// keywords, Windows paths), each beside the time to just read the same file.
// The "vs_read" column is the row's time divided by that bare read.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "store/entry_file.h"
#include "store/lookup.h"
#include "tests/support/iconv_codec.h"

namespace {

using namespace quillet;

// Files as the program treats them: read whole, and saved through a temporary
// file beside the target, flushed to the disk and renamed over it.
class BenchFilePort final : public FilePort {
 public:
  ReadOutcome ReadAll(const std::wstring& path) override {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return {ReadOutcome::Kind::kMissing, {}, {}};
    return {ReadOutcome::Kind::kOk, std::string(std::istreambuf_iterator<char>(in), {}), {}};
  }
  IoStatus ReplaceAll(const std::wstring& path, std::string_view bytes) override {
    const std::string target = std::filesystem::path(path).string(), temp = target + ".saving";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return IoStatus::Fail(L"cannot create the temporary file");
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd, bytes.data(), bytes.size());
      if (written <= 0) break;
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    const bool ok = bytes.empty() && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || ::rename(temp.c_str(), target.c_str()) != 0) return IoStatus::Fail(L"cannot write");
    return IoStatus::Ok();
  }
  IoStatus ProbeWritable(const std::wstring&) override { return IoStatus::Ok(); }
  std::wstring OutOfMemoryMessage() const override { return L"out of memory"; }
};

const IconvCodec& Gbk() {
  static const IconvCodec codec("GBK");
  return codec;
}

std::wstring EntryLine(int i) {
  static const wchar_t* words[] = {L"记事本", L"计算器", L"文档", L"浏览器", L"工具", L"项目", L"音乐", L"图片"};
  std::wstring keyword = std::wstring(words[i % 8]) + std::to_wstring(i);
  return keyword + L":C:\\Program Files\\应用程序\\" + words[(i / 8) % 8] + L"\\tool" + std::to_wstring(i) + L".exe";
}

// data.txt with `count` entries in the system's temporary folder, made once.
std::wstring EntryFilePath(int count) {
  static std::map<int, std::wstring> made;
  if (auto it = made.find(count); it != made.end()) return it->second;
  const auto path = std::filesystem::temp_directory_path() / ("quillet-bench-" + std::to_string(count) + ".txt");
  LineList items;
  for (int i = 0; i < count; ++i) items.Insert(items.size(), EntryLine(i));
  BenchFilePort port;
  EntryFile file(port, Gbk(), path.wstring());
  if (!file.Save(items)) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return made[count] = path.wstring();
}

double BareReadSeconds(const std::wstring& path) {
  BenchFilePort port;
  std::vector<double> times;
  for (int i = 0; i < 21; ++i) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(port.ReadAll(path).bytes.size());
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(times.begin(), times.begin() + 10, times.end());
  return times[10];
}

// Runs `body` as the benchmark's loop and adds the column "x_read": the time of
// one iteration divided by the time to just read the file.
template <class Body>
void Measure(benchmark::State& state, const std::wstring& path, Body&& body) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) body();
  const double per_iteration =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / state.iterations();
  state.counters["x_read"] = per_iteration / BareReadSeconds(path);
}

struct NoOpen : TargetOpener {
  int opened = 0;
  void OpenTarget(const std::wstring&) override { ++opened; }
};

void BM_BareRead(benchmark::State& state) {
  const std::wstring path = EntryFilePath(static_cast<int>(state.range(0)));
  BenchFilePort port;
  Measure(state, path, [&] { benchmark::DoNotOptimize(port.ReadAll(path).bytes.size()); });
}

void BM_Load(benchmark::State& state) {
  const std::wstring path = EntryFilePath(static_cast<int>(state.range(0)));
  BenchFilePort port;
  EntryFile file(port, Gbk(), path);
  Measure(state, path, [&] {
    LineList list;
    file.LoadLines(list);
    benchmark::DoNotOptimize(list.size());
  });
}

void Lookup(benchmark::State& state, const std::wstring& typed) {
  const int count = static_cast<int>(state.range(0));
  const std::wstring path = EntryFilePath(count);
  BenchFilePort port;
  EntryFile file(port, Gbk(), path);
  NoOpen opener;
  Measure(state, path, [&] { LaunchByKeyword(file, typed, opener); });
}

void BM_Lookup1Word(benchmark::State& state) { Lookup(state, L"记事本0"); }
void BM_Lookup5Words(benchmark::State& state) { Lookup(state, L"记事本0 计算器1 文档2 浏览器3 不存在"); }

// The generated file of `count` entries, loaded.
LineList LoadedList(int count) {
  BenchFilePort port;
  EntryFile file(port, Gbk(), EntryFilePath(count));
  LineList list;
  file.LoadLines(list);
  return list;
}

// The loaded file with one entry added at the top, as after the editor's OK.
void BM_Save(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  LineList list = LoadedList(count);
  list.Insert(0, EntryLine(count));
  BenchFilePort port;
  const auto target = std::filesystem::temp_directory_path() / "quillet-bench-save.txt";
  EntryFile out(port, Gbk(), target.wstring());
  Measure(state, EntryFilePath(count), [&] { benchmark::DoNotOptimize(out.Save(list).ok); });
}

// The menu's and the editor's changes on the loaded list: an entry added at
// the top and one in the middle, the middle one replaced, and both deleted.
void BM_EditAtTop(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  LineList list = LoadedList(count);
  Measure(state, EntryFilePath(count), [&] {
    list.Insert(0, L"新:C:\\new.exe");
    list.Insert(list.size() / 2, L"中:C:\\middle.exe");
    list.Set(list.size() / 2, L"改:C:\\edited.exe");
    list.Remove(list.size() / 2);
    list.Remove(0);
  });
}

#define SIZES ->Arg(1000)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_BareRead) SIZES;
BENCHMARK(BM_Load) SIZES;
BENCHMARK(BM_Lookup1Word) SIZES;
BENCHMARK(BM_Lookup5Words) SIZES;
BENCHMARK(BM_Save) SIZES;
BENCHMARK(BM_EditAtTop) SIZES;

}  // namespace

BENCHMARK_MAIN();
