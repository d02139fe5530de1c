#include "store/safe_replace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/posix/posix_file_port.h"

namespace quillet {
namespace {

// Steps over an in-memory directory that fail at a chosen point.
class FaultySteps : public ReplaceSteps {
 public:
  std::map<std::wstring, std::string> dir;
  std::size_t fail_write_after = SIZE_MAX;  // bytes that get written before a write fails
  bool fail_create = false, fail_flush = false, fail_replace = false;

  IoStatus CreateTemp(const std::wstring& path) override {
    if (fail_create) return IoStatus::Fail(L"create failed");
    open_ = path;
    dir[path].clear();
    return IoStatus::Ok();
  }
  IoStatus Write(std::string_view chunk) override {
    std::string& temp = dir[open_];
    if (temp.size() + chunk.size() > fail_write_after) {
      temp.append(chunk.substr(0, fail_write_after - temp.size()));
      return IoStatus::Fail(L"disk full");
    }
    temp.append(chunk);
    return IoStatus::Ok();
  }
  IoStatus Flush() override { return fail_flush ? IoStatus::Fail(L"flush failed") : IoStatus::Ok(); }
  void CloseTemp() override { open_.clear(); }
  IoStatus Replace(const std::wstring& temp, const std::wstring& target) override {
    if (fail_replace) return IoStatus::Fail(L"replace failed");
    dir[target] = dir[temp];
    dir.erase(temp);
    return IoStatus::Ok();
  }
  void Remove(const std::wstring& temp) override { dir.erase(temp); }

 private:
  std::wstring open_;
};

TEST(SafeReplaceTest, EveryFailingStepKeepsTheOldBytesRemovesTheTempAndSaysWhy) {
  const std::string old_bytes = "a:1\r\n";
  const std::string new_bytes(3 * kWriteChunk + 17, 'x');
  struct Case {
    const char* name;
    void (*inject)(FaultySteps&);
    const wchar_t* message;
  };
  const Case cases[] = {
      {"create", [](FaultySteps& s) { s.fail_create = true; }, L"create failed"},
      {"first write", [](FaultySteps& s) { s.fail_write_after = 0; }, L"disk full"},
      {"middle write", [](FaultySteps& s) { s.fail_write_after = kWriteChunk + 5; }, L"disk full"},
      {"last write", [](FaultySteps& s) { s.fail_write_after = 3 * kWriteChunk + 16; }, L"disk full"},
      {"flush", [](FaultySteps& s) { s.fail_flush = true; }, L"flush failed"},
      {"replace", [](FaultySteps& s) { s.fail_replace = true; }, L"replace failed"},
  };
  for (const Case& c : cases) {
    FaultySteps steps;
    steps.dir[L"data.txt"] = old_bytes;
    c.inject(steps);
    const IoStatus status = SafeReplace(steps, L"data.txt", new_bytes);
    EXPECT_FALSE(status) << c.name;
    EXPECT_EQ(status.message, c.message) << c.name;
    EXPECT_EQ(steps.dir, (std::map<std::wstring, std::string>{{L"data.txt", old_bytes}})) << c.name;
  }
}

TEST(SafeReplaceTest, SuccessLeavesOnlyTheNewFile) {
  for (const bool existed : {true, false}) {
    FaultySteps steps;
    if (existed) steps.dir[L"data.txt"] = "old";
    steps.dir[TempPathFor(L"data.txt")] = "leftover of a crash";
    ASSERT_TRUE(SafeReplace(steps, L"data.txt", "\r\n"));
    EXPECT_EQ(steps.dir, (std::map<std::wstring, std::string>{{L"data.txt", "\r\n"}}));
  }
}

class PosixPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("quillet-port-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(dir_);
  }
  std::wstring Path(const char* name) const { return (dir_ / name).wstring(); }
  std::string Bytes(const char* name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::filesystem::path dir_;
  PosixFilePort port_;
};

TEST_F(PosixPortTest, ReadsMissingFilesDirectoriesAndContent) {
  EXPECT_EQ(port_.ReadAll(Path("data.txt")).kind, ReadOutcome::Kind::kMissing);
  std::filesystem::create_directory(dir_ / "folder");
  const ReadOutcome folder = port_.ReadAll(Path("folder"));
  EXPECT_EQ(folder.kind, ReadOutcome::Kind::kFailed);
  EXPECT_FALSE(folder.message.empty());
  ASSERT_TRUE(port_.ReplaceAll(Path("data.txt"), std::string("a\0b\r\n", 5)));
  EXPECT_EQ(port_.ReadAll(Path("data.txt")).bytes, std::string("a\0b\r\n", 5));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2);  // no temp file left
}

TEST_F(PosixPortTest, AFailedReplacementLeavesNoTemporaryFile) {
  // A directory in data.txt's place can't be replaced, even by root.
  std::filesystem::create_directories(dir_ / "data.txt" / "inside");
  const IoStatus status = port_.ReplaceAll(Path("data.txt"), "new");
  EXPECT_FALSE(status);
  EXPECT_FALSE(status.message.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "data.txt" / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

}  // namespace
}  // namespace quillet
