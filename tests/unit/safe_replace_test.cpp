#include "store/safe_replace.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace quillet {
namespace {

// Steps over an in-memory folder that fail at a chosen point. A file's
// metadata (owner, permissions, attributes...) is one string beside it; a link
// is a name that points at another.
class FaultySteps : public ReplaceSteps {
 public:
  std::map<std::wstring, std::string> dir, meta;
  std::map<std::wstring, std::wstring> links;
  std::vector<std::wstring> created;        // every temporary file made, in order
  std::size_t fail_write_after = SIZE_MAX;  // bytes written before a write fails
  std::size_t fail_in_place_after = SIZE_MAX;
  bool fail_create = false, refuse_create = false, fail_flush = false, fail_replace = false, fail_metadata = false;
  bool cannot_resolve = false, read_only = false;

  std::wstring ResolveTarget(const std::wstring& path) override {
    return cannot_resolve ? L"" : links.count(path) ? links[path] : dir.count(path) ? path : L"";
  }
  StepOutcome CreateTemp(const std::wstring& path) override {
    if (refuse_create) return StepOutcome::Refused(IoStatus::Fail(L"folder refused"));
    if (fail_create) return StepOutcome::Failed(IoStatus::Fail(L"create failed"));
    open_ = path, dir[path].clear(), meta[path] = "fresh", created.push_back(path);
    return StepOutcome::Ok();
  }
  IoStatus Write(std::string_view chunk) override { return Append(dir[open_], chunk, fail_write_after); }
  IoStatus Flush() override { return fail_flush ? IoStatus::Fail(L"flush failed") : IoStatus::Ok(); }
  void CloseTemp() override { open_.clear(); }
  IoStatus CopyMetadata(const std::wstring& target, const std::wstring& temp) override {
    return fail_metadata || !dir.count(target) ? IoStatus::Fail(L"owner refused")
                                               : (meta[temp] = meta[target], IoStatus::Ok());
  }
  IoStatus Replace(const std::wstring& temp, const std::wstring& target) override {
    if (fail_replace || (read_only && dir.count(target))) return IoStatus::Fail(L"replace failed");
    links.erase(target), dir[target] = dir[temp], meta[target] = meta[temp];  // a rename over a link takes its place
    return Remove(temp), IoStatus::Ok();
  }
  void Remove(const std::wstring& temp) override { dir.erase(temp), meta.erase(temp); }
  StepOutcome RewriteInPlace(const std::wstring& target, std::string_view bytes) override {
    if (read_only || !dir.count(target)) return StepOutcome::Refused(IoStatus::Fail(L"cannot open"));
    dir[target].clear();
    const IoStatus status = Append(dir[target], bytes, fail_in_place_after);
    return status ? StepOutcome::Ok() : StepOutcome::Failed(status);
  }

 private:
  static IoStatus Append(std::string& file, std::string_view chunk, std::size_t fail_after) {
    if (file.size() + chunk.size() <= fail_after) return file.append(chunk), IoStatus::Ok();
    file.append(chunk.substr(0, fail_after - file.size()));
    return IoStatus::Fail(L"disk full");
  }
  std::wstring open_;
};

using Files = std::map<std::wstring, std::string>;

TEST(SafeReplaceTest, EveryFailingStepKeepsTheOldBytesRemovesTheTempAndSaysWhy) {
  const std::string new_bytes(3 * kWriteChunk + 17, 'x');
  const struct {
    void (*inject)(FaultySteps&);
    const wchar_t* message;
  } cases[] = {
      // A temporary file that can't be made for any reason but a refusal is
      // no reason to risk the old bytes in place.
      {[](FaultySteps& s) { s.fail_create = true; }, L"create failed"},
      {[](FaultySteps& s) { s.fail_write_after = 0; }, L"disk full"},
      {[](FaultySteps& s) { s.fail_write_after = kWriteChunk + 5; }, L"disk full"},
      {[](FaultySteps& s) { s.fail_write_after = 3 * kWriteChunk + 16; }, L"disk full"},
      {[](FaultySteps& s) { s.fail_flush = true; }, L"flush failed"},
      {[](FaultySteps& s) { s.fail_replace = true; }, L"replace failed"},
  };
  for (const auto& c : cases) {
    FaultySteps steps;
    steps.dir[L"data.txt"] = "a:1\r\n";
    c.inject(steps);
    EXPECT_EQ(SafeReplace(steps, L"data.txt", new_bytes).message, c.message);
    EXPECT_EQ(steps.dir, (Files{{L"data.txt", "a:1\r\n"}})) << c.message;
  }
}

// Metadata that can't be copied doesn't stop the save; a leftover of a crash doesn't either.
TEST(SafeReplaceTest, TheNewFileTakesTheOldOnesPlaceAndMetadata) {
  for (const auto& [existed, copies] : {std::pair{true, true}, {false, true}, {true, false}}) {
    FaultySteps steps;
    if (existed) steps.dir[L"data.txt"] = "old", steps.meta[L"data.txt"] = "owner alice, hidden";
    steps.dir[TempPathFor(L"data.txt")] = "leftover of a crash";
    steps.fail_metadata = !copies;
    ASSERT_TRUE(SafeReplace(steps, L"data.txt", "\r\n"));
    EXPECT_EQ(steps.dir, (Files{{L"data.txt", "\r\n"}}));
    EXPECT_EQ(steps.meta[L"data.txt"], existed && copies ? "owner alice, hidden" : "fresh");
  }
}

TEST(SafeReplaceTest, AFolderThatRefusesTheTemporaryFileGetsTheFileRewrittenInPlace) {
  FaultySteps steps;
  steps.refuse_create = true;
  steps.dir[L"data.txt"] = "a much longer old text";
  ASSERT_TRUE(SafeReplace(steps, L"data.txt", "new"));
  EXPECT_EQ(steps.dir, (Files{{L"data.txt", "new"}}));

  // Refused both ways (a read-only file, no file yet): the folder's refusal is
  // the reason, and nothing changed.
  for (const bool exists : {true, false}) {
    FaultySteps refused;
    refused.refuse_create = true;
    refused.read_only = exists;
    if (exists) refused.dir[L"data.txt"] = "old";
    EXPECT_EQ(SafeReplace(refused, L"data.txt", "new").message, L"folder refused");
    EXPECT_EQ(refused.dir, (exists ? Files{{L"data.txt", "old"}} : Files{}));
  }
  // Once the rewrite has begun, its own failure is what the user must hear.
  steps.fail_in_place_after = 2;
  EXPECT_EQ(SafeReplace(steps, L"data.txt", "newer").message, L"disk full");
}

TEST(SafeReplaceTest, ALinkIsWrittenThroughToItsTargetAndStaysALink) {
  for (const bool refused : {false, true}) {
    FaultySteps steps;
    steps.refuse_create = refused;
    steps.links[L"data.txt"] = L"elsewhere/real.txt";
    steps.dir[L"elsewhere/real.txt"] = "old";
    ASSERT_TRUE(SafeReplace(steps, L"data.txt", "new")) << refused;
    EXPECT_EQ(steps.dir, (Files{{L"elsewhere/real.txt", "new"}})) << refused;
    EXPECT_EQ(steps.links[L"data.txt"], L"elsewhere/real.txt");
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

}  // namespace
}  // namespace quillet
