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
  std::map<std::wstring, unsigned> names;   // hard links of a file, where more than one
  std::vector<std::wstring> created;        // every temporary file made, in order
  std::vector<std::wstring> probed;         // every probe file made and removed
  std::map<std::string, int> holds;         // how often "create", "replace", "in place" is held yet
  std::size_t fail_write_after = SIZE_MAX;  // bytes written before a write fails
  std::size_t fail_in_place_after = SIZE_MAX;
  bool fail_create = false, refuse_create = false, fail_flush = false, fail_replace = false, fail_metadata = false;
  bool cannot_resolve = false, read_only = false;

  SaveTarget ResolveTarget(const std::wstring& path) override {
    const std::wstring file = links.count(path) ? links[path] : path;
    if (cannot_resolve || !dir.count(file)) return {L"", 0, links.count(path) > 0};
    return {file, names.count(file) ? names[file] : 1};
  }
  StepOutcome CreateThroughLink(const std::wstring& link) override { return dir[links.at(link)], StepOutcome::Ok(); }
  StepOutcome CreateTemp(const std::wstring& path) override {
    if (Held("create")) return StepOutcome::Failed(IoStatus::Held(L"held"));
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
    if (Held("replace")) return IoStatus::Held(L"held");
    if (fail_replace || (read_only && dir.count(target))) return IoStatus::Fail(L"replace failed");
    links.erase(target), dir[target] = dir[temp], meta[target] = meta[temp];  // a rename over a link takes its place
    return Remove(temp), IoStatus::Ok();
  }
  void Remove(const std::wstring& temp) override { dir.erase(temp), meta.erase(temp); }
  StepOutcome RewriteInPlace(const std::wstring& name, std::string_view bytes) override {
    const std::wstring target = links.count(name) ? links[name] : name;
    if (Held("in place")) return StepOutcome::Refused(IoStatus::Held(L"held"));
    if (read_only || !dir.count(target)) return StepOutcome::Refused(IoStatus::Fail(L"cannot open"));
    dir[target].clear();
    const IoStatus status = Append(dir[target], bytes, fail_in_place_after);
    return status ? StepOutcome::Ok() : StepOutcome::Failed(status);
  }
  IoStatus TryCreateAndRemove(const std::wstring& path) override {
    if (refuse_create || dir.count(path)) return IoStatus::Fail(L"folder refused");
    return probed.push_back(path), IoStatus::Ok();
  }
  IoStatus TryOpenForWriting(const std::wstring& path) override {
    return read_only || !dir.count(path) ? IoStatus::Fail(L"cannot open") : IoStatus::Ok();
  }

 private:
  bool Held(const std::string& step) { return holds[step] > 0 && holds[step]--; }
  static IoStatus Append(std::string& file, std::string_view chunk, std::size_t fail_after) {
    if (file.size() + chunk.size() <= fail_after) return file.append(chunk), IoStatus::Ok();
    file.append(chunk.substr(0, fail_after - file.size()));
    return IoStatus::Fail(L"disk full");
  }
  std::wstring open_;
};

using Files = std::map<std::wstring, std::string>;

// Time passes only in pauses, each of which is kept.
struct FakeClock : HoldClock {
  std::uint64_t now = 1000;
  std::vector<std::uint32_t> pauses;
  std::uint64_t NowMs() override { return now; }
  void Pause(std::uint32_t ms) override { pauses.push_back(ms), now += ms; }
};

const std::wstring kData = L"data.txt", kReal = L"elsewhere/real.txt", kTemp = L"data.txt.saving";
const std::string kOld(4 * kWriteChunk, 'o'), kNew(3 * kWriteChunk + 17, 'x');

// Every failing step keeps the old bytes, removes the temporary file and says
// why. A refused temporary file or a file of several names (where a rename
// would give one name a new file and leave the others the old one) is
// rewritten in place; a link is written through to its target and stays.
TEST(SafeReplaceTest, EachStepsOutcomeGivesItsResult) {
  const struct {
    const char* name;
    void (*inject)(FaultySteps&);
    const wchar_t* message;
    Files after;
    const char* meta;   // of data.txt afterwards; nullptr: not checked
    std::wstring temp;  // the temporary file made, if any
  } rows[] = {
      // clang-format off
      {"create fails", [](FaultySteps& s) { s.fail_create = true; }, L"create failed", {{kData, kOld}}, "alice", L""},
      {"first write", [](FaultySteps& s) { s.fail_write_after = 0; }, L"disk full", {{kData, kOld}}, "alice", kTemp},
      {"second write", [](FaultySteps& s) { s.fail_write_after = kWriteChunk + 5; }, L"disk full", {{kData, kOld}},
       "alice", kTemp},
      {"last byte", [](FaultySteps& s) { s.fail_write_after = kNew.size() - 1; }, L"disk full", {{kData, kOld}},
       "alice", kTemp},
      {"flush", [](FaultySteps& s) { s.fail_flush = true; }, L"flush failed", {{kData, kOld}}, "alice", kTemp},
      {"replace", [](FaultySteps& s) { s.fail_replace = true; }, L"replace failed", {{kData, kOld}}, "alice", kTemp},
      {"all well", [](FaultySteps&) {}, L"", {{kData, kNew}}, "alice", kTemp},
      {"metadata refused", [](FaultySteps& s) { s.fail_metadata = true; }, L"", {{kData, kNew}}, "fresh", kTemp},
      {"a crash's leftover", [](FaultySteps& s) { s.dir[kTemp] = "left"; }, L"", {{kData, kNew}}, "alice", kTemp},
      {"no file yet", [](FaultySteps& s) { s.dir.clear(); }, L"", {{kData, kNew}}, "fresh", kTemp},
      {"folder refuses", [](FaultySteps& s) { s.refuse_create = true; }, L"", {{kData, kNew}}, "alice", L""},
      // Refused both ways: the folder's refusal is the reason.
      {"refused, read-only", [](FaultySteps& s) { s.refuse_create = s.read_only = true; }, L"folder refused",
       {{kData, kOld}}, "alice", L""},
      {"refused, no file", [](FaultySteps& s) { s.refuse_create = true, s.dir.clear(); }, L"folder refused", {},
       nullptr, L""},
      // Once the rewrite has begun, its own failure is what the user must hear.
      {"in place fails", [](FaultySteps& s) { s.refuse_create = true, s.fail_in_place_after = 2; }, L"disk full",
       {{kData, "xx"}}, "alice", L""},
      {"link", [](FaultySteps& s) { s.links[kData] = kReal, s.dir = {{kReal, kOld}}; }, L"", {{kReal, kNew}}, nullptr,
       kReal + L".saving"},  // beside the target, on its disk
      {"link, folder refuses",
       [](FaultySteps& s) { s.refuse_create = true, s.links[kData] = kReal, s.dir = {{kReal, kOld}}; }, L"",
       {{kReal, kNew}}, nullptr, L""},
      {"link to a missing file", [](FaultySteps& s) { s.links[kData] = kReal, s.dir.clear(); }, L"", {{kReal, kNew}},
       nullptr, L""},
      {"link not followed", [](FaultySteps& s) { s.cannot_resolve = true, s.dir.clear(); }, L"", {{kData, kNew}},
       "fresh", kTemp},
      {"two names", [](FaultySteps& s) { s.names[kData] = 2; }, L"", {{kData, kNew}}, "alice", L""},
      {"two names, read-only", [](FaultySteps& s) { s.names[kData] = 2, s.read_only = true; }, L"cannot open",
       {{kData, kOld}}, "alice", L""},
      // clang-format on
  };
  for (const auto& row : rows) {
    FaultySteps steps;
    steps.dir[kData] = kOld, steps.meta[kData] = "alice";
    row.inject(steps);
    const auto links = steps.links;
    FakeClock clock;
    EXPECT_EQ(quillet::SafeReplace(steps, clock, kData, kNew).message, row.message) << row.name;
    EXPECT_TRUE(steps.dir == row.after) << row.name;
    if (row.meta) {
      EXPECT_EQ(steps.meta[kData], row.meta) << row.name;
    }
    EXPECT_EQ(steps.created.empty() ? L"" : steps.created[0], row.temp) << row.name;
    EXPECT_EQ(steps.links, links) << row.name;
  }
}

// Another program's short hold is waited out, with growing pauses, for
// about two seconds in all; a failure of another kind is not.
TEST(SafeReplaceTest, AHeldFileIsTriedAgainForAWhile) {
  using Pauses = std::vector<std::uint32_t>;
  const Pauses whole_budget{10, 20, 40, 80, 160, 320, 640, 730};
  const struct {
    const char* step;
    int holds;
    bool refuse_create, read_only;
    const wchar_t* message;
    Pauses pauses;
  } cases[] = {
      {"create", 2, false, false, L"", {10, 20}},
      {"replace", 3, false, false, L"", {10, 20, 40}},
      {"in place", 1, true, false, L"", {10}},
      {"replace", 1000, false, false, L"held", whole_budget},
      // The folder's refusal stays the reason when the held file never opened.
      {"in place", 1000, true, false, L"folder refused", whole_budget},
      {"create", 1000, false, false, L"held", whole_budget},
      {"replace", 0, false, true, L"replace failed", {}},
  };
  for (const auto& c : cases) {
    FaultySteps steps;
    steps.dir[L"data.txt"] = "old";
    steps.holds[c.step] = c.holds;
    steps.refuse_create = c.refuse_create;
    steps.read_only = c.read_only;
    FakeClock clock;
    EXPECT_EQ(quillet::SafeReplace(steps, clock, L"data.txt", "new").message, c.message) << c.step << c.holds;
    EXPECT_EQ(clock.pauses, c.pauses) << c.step << c.holds;
    EXPECT_EQ(steps.dir, (Files{{L"data.txt", *c.message ? "old" : "new"}})) << c.step << c.holds;
  }
}

// The probe changes nothing, and says no only when neither a new file nor a write in place would do.
TEST(SafeReplaceTest, TheProbeTellsWhetherASaveCouldSucceed) {
  const struct {
    bool exists, refuse_create, read_only;
    unsigned names;
    const wchar_t* message;
    std::vector<std::wstring> probed;
  } cases[] = {
      {true, false, false, 1, L"", {L"data.txt.probe"}},
      {false, false, false, 1, L"", {L"data.txt.probe"}},
      {true, true, false, 1, L"", {}},
      {true, true, true, 1, L"folder refused", {}},
      {false, true, false, 1, L"folder refused", {}},
      {true, false, false, 2, L"", {}},
      {true, false, true, 2, L"cannot open", {}},
  };
  for (const auto& c : cases) {
    FaultySteps steps;
    if (c.exists) steps.dir[L"data.txt"] = "old";
    steps.names[L"data.txt"] = c.names;
    steps.refuse_create = c.refuse_create;
    steps.read_only = c.read_only;
    const Files before = steps.dir;
    EXPECT_EQ(ProbeSave(steps, L"data.txt").message, c.message) << c.exists << c.refuse_create << c.read_only;
    EXPECT_EQ(steps.probed, c.probed);
    EXPECT_EQ(steps.dir, before);
  }
}

}  // namespace
}  // namespace quillet
