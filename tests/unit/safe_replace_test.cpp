#include "store/safe_replace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "platform/posix/posix_file_port.h"

namespace quillet {
namespace {

// Steps over an in-memory directory that fail at a chosen point. A file's
// metadata (owner, permissions, attributes...) is one string beside it; a link
// is a name that points at another.
class FaultySteps : public ReplaceSteps {
 public:
  std::map<std::wstring, std::string> dir, meta;
  std::map<std::wstring, std::wstring> links;
  std::vector<std::wstring> created;        // every temporary file made, in order
  std::size_t fail_write_after = SIZE_MAX;  // bytes that get written before a write fails
  std::size_t fail_in_place_after = SIZE_MAX;
  bool fail_create = false, refuse_create = false, fail_flush = false, fail_replace = false, fail_metadata = false;
  bool cannot_resolve = false, read_only = false;

  std::wstring ResolveTarget(const std::wstring& path) override {
    if (cannot_resolve) return L"";
    if (links.count(path)) return links[path];
    return dir.count(path) ? path : L"";
  }
  StepOutcome CreateTemp(const std::wstring& path) override {
    if (refuse_create) return StepOutcome::Refused(IoStatus::Fail(L"folder refused"));
    if (fail_create) return StepOutcome::Failed(IoStatus::Fail(L"create failed"));
    open_ = path;
    dir[path].clear();
    meta[path] = "fresh";
    created.push_back(path);
    return StepOutcome::Ok();
  }
  IoStatus Write(std::string_view chunk) override { return Append(dir[open_], chunk, fail_write_after); }
  IoStatus Flush() override { return fail_flush ? IoStatus::Fail(L"flush failed") : IoStatus::Ok(); }
  void CloseTemp() override { open_.clear(); }
  IoStatus CopyMetadata(const std::wstring& target, const std::wstring& temp) override {
    if (fail_metadata) return IoStatus::Fail(L"owner refused");
    if (!dir.count(target)) return IoStatus::Fail(L"no such file");
    meta[temp] = meta[target];
    return IoStatus::Ok();
  }
  IoStatus Replace(const std::wstring& temp, const std::wstring& target) override {
    if (fail_replace) return IoStatus::Fail(L"replace failed");
    if (read_only && dir.count(target)) return IoStatus::Fail(L"read-only");
    links.erase(target);  // a rename over a link takes the link's place
    dir[target] = dir[temp];
    meta[target] = meta[temp];
    dir.erase(temp);
    meta.erase(temp);
    return IoStatus::Ok();
  }
  void Remove(const std::wstring& temp) override {
    dir.erase(temp);
    meta.erase(temp);
  }
  StepOutcome RewriteInPlace(const std::wstring& target, std::string_view bytes) override {
    if (read_only || !dir.count(target)) return StepOutcome::Refused(IoStatus::Fail(L"cannot open"));
    dir[target].clear();
    const IoStatus status = Append(dir[target], bytes, fail_in_place_after);
    return status ? StepOutcome::Ok() : StepOutcome::Failed(status);
  }

 private:
  static IoStatus Append(std::string& file, std::string_view chunk, std::size_t fail_after) {
    if (file.size() + chunk.size() > fail_after) {
      file.append(chunk.substr(0, fail_after - file.size()));
      return IoStatus::Fail(L"disk full");
    }
    file.append(chunk);
    return IoStatus::Ok();
  }
  std::wstring open_;
};

using Files = std::map<std::wstring, std::string>;

TEST(SafeReplaceTest, EveryFailingStepKeepsTheOldBytesRemovesTheTempAndSaysWhy) {
  const std::string old_bytes = "a:1\r\n";
  const std::string new_bytes(3 * kWriteChunk + 17, 'x');
  struct Case {
    const char* name;
    void (*inject)(FaultySteps&);
    const wchar_t* message;
  };
  // A temporary file that can't be made for any reason but a refusal is no
  // reason to risk the old bytes in place.
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
    EXPECT_EQ(steps.dir, (Files{{L"data.txt", old_bytes}})) << c.name;
  }
}

TEST(SafeReplaceTest, SuccessLeavesOnlyTheNewFile) {
  for (const bool existed : {true, false}) {
    FaultySteps steps;
    if (existed) steps.dir[L"data.txt"] = "old";
    steps.dir[TempPathFor(L"data.txt")] = "leftover of a crash";
    ASSERT_TRUE(SafeReplace(steps, L"data.txt", "\r\n"));
    EXPECT_EQ(steps.dir, (Files{{L"data.txt", "\r\n"}}));
  }
}

TEST(SafeReplaceTest, AFolderThatRefusesTheTemporaryFileGetsTheFileRewrittenInPlace) {
  FaultySteps steps;
  steps.refuse_create = true;
  steps.dir[L"data.txt"] = "a much longer old text";
  steps.meta[L"data.txt"] = "hidden";
  ASSERT_TRUE(SafeReplace(steps, L"data.txt", "new"));
  EXPECT_EQ(steps.dir, (Files{{L"data.txt", "new"}}));
  EXPECT_EQ(steps.meta[L"data.txt"], "hidden");

  // Refused both ways (a read-only file, no file yet): the folder's refusal is
  // the reason, and nothing changed.
  for (const bool exists : {true, false}) {
    FaultySteps refused;
    refused.refuse_create = true;
    refused.read_only = exists;
    if (exists) refused.dir[L"data.txt"] = "old";
    const IoStatus status = SafeReplace(refused, L"data.txt", "new");
    EXPECT_FALSE(status);
    EXPECT_EQ(status.message, L"folder refused");
    EXPECT_EQ(refused.dir, (exists ? Files{{L"data.txt", "old"}} : Files{}));
  }

  // Once the rewrite has begun, its own failure is what the user must hear.
  FaultySteps partway;
  partway.refuse_create = true;
  partway.fail_in_place_after = 2;
  partway.dir[L"data.txt"] = "old";
  const IoStatus status = SafeReplace(partway, L"data.txt", "new");
  EXPECT_FALSE(status);
  EXPECT_EQ(status.message, L"disk full");
}

TEST(SafeReplaceTest, TheNewFileTakesOverTheOldOnesMetadataAndSavesWhenThatIsRefused) {
  FaultySteps steps;
  steps.dir[L"data.txt"] = "old";
  steps.meta[L"data.txt"] = "owner alice, hidden";
  ASSERT_TRUE(SafeReplace(steps, L"data.txt", "new"));
  EXPECT_EQ(steps.dir, (Files{{L"data.txt", "new"}}));
  EXPECT_EQ(steps.meta[L"data.txt"], "owner alice, hidden");

  FaultySteps refused;
  refused.fail_metadata = true;
  refused.dir[L"data.txt"] = "old";
  ASSERT_TRUE(SafeReplace(refused, L"data.txt", "new"));
  EXPECT_EQ(refused.dir, (Files{{L"data.txt", "new"}}));
}

TEST(SafeReplaceTest, ALinkIsWrittenThroughToItsTargetAndStaysALink) {
  for (const bool refused : {false, true}) {
    FaultySteps steps;
    steps.refuse_create = refused;
    steps.links[L"data.txt"] = L"elsewhere/real.txt";
    steps.dir[L"elsewhere/real.txt"] = "old";
    steps.meta[L"elsewhere/real.txt"] = "owner bob";
    ASSERT_TRUE(SafeReplace(steps, L"data.txt", "new")) << refused;
    EXPECT_EQ(steps.dir, (Files{{L"elsewhere/real.txt", "new"}})) << refused;
    EXPECT_EQ(steps.links[L"data.txt"], L"elsewhere/real.txt");
    EXPECT_EQ(steps.meta[L"elsewhere/real.txt"], "owner bob");
    // The temporary file is made beside the target, on its disk.
    if (!refused) {
      EXPECT_EQ(steps.created, std::vector<std::wstring>{L"elsewhere/real.txt.saving"});
    }
  }

  // When the link can't be followed, the name given is the one written.
  FaultySteps unresolved;
  unresolved.cannot_resolve = true;
  ASSERT_TRUE(SafeReplace(unresolved, L"data.txt", "new"));
  EXPECT_EQ(unresolved.dir, (Files{{L"data.txt", "new"}}));
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

TEST_F(PosixPortTest, ALinkIsWrittenThroughAndThePermissionsStay) {
  namespace fs = std::filesystem;
  fs::create_directory(dir_ / "elsewhere");
  ASSERT_TRUE(port_.ReplaceAll(Path("elsewhere/real.txt"), "old"));
  fs::permissions(dir_ / "elsewhere" / "real.txt", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("elsewhere/real.txt", dir_ / "data.txt");

  ASSERT_TRUE(port_.ReplaceAll(Path("data.txt"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "data.txt"));
  EXPECT_EQ(Bytes("elsewhere/real.txt"), "new");
  EXPECT_EQ(fs::status(dir_ / "elsewhere" / "real.txt").permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "elsewhere"), {}), 1);
}

}  // namespace
}  // namespace quillet
