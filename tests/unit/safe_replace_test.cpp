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
  unsigned names = 1;                 // hard links of every file
  std::vector<std::wstring> created;  // every temporary file made, in order
  std::map<std::string, int> holds;   // how often "create", "replace", "in place" is held yet
  bool fail_create = false, refuse_create = false, fail_write = false, fail_flush = false, fail_replace = false;
  bool fail_metadata = false, fail_in_place = false, read_only = false;

  SaveTarget ResolveTarget(const std::wstring& path) override {
    const std::wstring file = links.count(path) ? links[path] : path;
    if (!dir.count(file)) return {L"", 0, links.count(path) > 0};
    return {file, names};
  }
  StepOutcome CreateThroughLink(const std::wstring& link) override { return dir[links.at(link)], StepOutcome::Ok(); }
  StepOutcome CreateTemp(const std::wstring& path) override {
    if (Held("create")) return StepOutcome::Failed(IoStatus::Held(L"held"));
    if (refuse_create) return StepOutcome::Refused(IoStatus::Fail(L"folder refused"));
    if (fail_create) return StepOutcome::Failed(IoStatus::Fail(L"create failed"));
    open_ = path, dir[path].clear(), meta[path] = "fresh", created.push_back(path);
    return StepOutcome::Ok();
  }
  // A failing write fails once the first chunk is in.
  IoStatus Write(std::string_view chunk) override {
    if (fail_write && !dir[open_].empty()) return IoStatus::Fail(L"disk full");
    return dir[open_].append(chunk), IoStatus::Ok();
  }
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
  // A failing rewrite fails after two bytes.
  StepOutcome RewriteInPlace(const std::wstring& name, std::string_view bytes) override {
    const std::wstring target = links.count(name) ? links[name] : name;
    if (Held("in place")) return StepOutcome::Refused(IoStatus::Held(L"held"));
    if (read_only || !dir.count(target)) return StepOutcome::Refused(IoStatus::Fail(L"cannot open"));
    dir[target] = bytes.substr(0, fail_in_place ? 2 : bytes.size());
    return fail_in_place ? StepOutcome::Failed(IoStatus::Fail(L"disk full")) : StepOutcome::Ok();
  }
  IoStatus TryCreateAndRemove(const std::wstring& path) override {
    return refuse_create || dir.count(path) ? IoStatus::Fail(L"folder refused") : IoStatus::Ok();
  }
  IoStatus TryOpenForWriting(const std::wstring& path) override {
    return read_only || !dir.count(path) ? IoStatus::Fail(L"cannot open") : IoStatus::Ok();
  }

 private:
  bool Held(const std::string& step) { return holds[step] > 0 && holds[step]--; }
  std::wstring open_;
};

// Time passes only in pauses, each of which is kept.
struct FakeClock : HoldClock {
  std::uint64_t now = 1000;
  std::vector<std::uint32_t> pauses;
  std::uint64_t NowMs() override { return now; }
  void Pause(std::uint32_t ms) override { pauses.push_back(ms), now += ms; }
};

using Files = std::map<std::wstring, std::string>;
using Pauses = std::vector<std::uint32_t>;
const std::wstring kData = L"data.txt", kReal = L"elsewhere/real.txt", kTemp = L"data.txt.saving";
const std::string kOld(4 * kWriteChunk, 'o'), kNew(3 * kWriteChunk + 17, 'x');
const Pauses kWholeBudget{10, 20, 40, 80, 160, 320, 640, 730};

// Every failing step keeps the old bytes, removes the temporary file and says
// why. A refused temporary file or a file of several names (where a rename
// would give one name a new file and leave the others the old one) is
// rewritten in place; a link is written through to its target and stays.
// Another program's short hold is waited out, with growing pauses, for about
// two seconds in all; a failure of another kind is not. The probe changes
// nothing, and says no only when neither a new file nor a write in place would
// do.
TEST(SafeReplaceTest, EachStepsOutcomeGivesItsResult) {
  const struct {
    const char* name;
    void (*inject)(FaultySteps&);
    const wchar_t* message;
    Files after;
    const char* meta;   // of data.txt afterwards; nullptr: not checked
    std::wstring temp;  // the temporary file made, if any
    Pauses pauses = {};
    const wchar_t* probe = L"";  // what the probe says beforehand
  } rows[] = {
      // clang-format off
      {"create fails", [](FaultySteps& s) { s.fail_create = true; }, L"create failed", {{kData, kOld}}, "alice", L""},
      {"second write", [](FaultySteps& s) { s.fail_write = true; }, L"disk full", {{kData, kOld}}, "alice", kTemp},
      {"flush", [](FaultySteps& s) { s.fail_flush = true; }, L"flush failed", {{kData, kOld}}, "alice", kTemp},
      {"replace", [](FaultySteps& s) { s.fail_replace = true; }, L"replace failed", {{kData, kOld}}, "alice", kTemp},
      {"all well", [](FaultySteps&) {}, L"", {{kData, kNew}}, "alice", kTemp},
      {"metadata refused", [](FaultySteps& s) { s.fail_metadata = true; }, L"", {{kData, kNew}}, "fresh", kTemp},
      {"no file yet", [](FaultySteps& s) { s.dir.clear(); }, L"", {{kData, kNew}}, "fresh", kTemp},
      {"folder refuses", [](FaultySteps& s) { s.refuse_create = true; }, L"", {{kData, kNew}}, "alice", L""},
      // Refused both ways: the folder's refusal is the reason.
      {"refused, read-only", [](FaultySteps& s) { s.refuse_create = s.read_only = true; }, L"folder refused",
       {{kData, kOld}}, "alice", L"", {}, L"folder refused"},
      // Once the rewrite has begun, its own failure is what the user must hear.
      {"in place fails", [](FaultySteps& s) { s.refuse_create = s.fail_in_place = true; }, L"disk full",
       {{kData, "xx"}}, "alice", L""},
      {"link", [](FaultySteps& s) { s.links[kData] = kReal, s.dir = {{kReal, kOld}}; }, L"", {{kReal, kNew}}, nullptr,
       kReal + L".saving"},  // beside the target, on its disk
      {"link to a missing file", [](FaultySteps& s) { s.links[kData] = kReal, s.dir.clear(); }, L"", {{kReal, kNew}},
       nullptr, L""},
      {"two names", [](FaultySteps& s) { s.names = 2; }, L"", {{kData, kNew}}, "alice", L""},
      {"two names, read-only", [](FaultySteps& s) { s.names = 2, s.read_only = true; }, L"cannot open",
       {{kData, kOld}}, "alice", L"", {}, L"cannot open"},
      {"create held twice", [](FaultySteps& s) { s.holds["create"] = 2; }, L"", {{kData, kNew}}, "alice", kTemp,
       {10, 20}},
      {"replace held 3 times", [](FaultySteps& s) { s.holds["replace"] = 3; }, L"", {{kData, kNew}}, "alice", kTemp,
       {10, 20, 40}},
      {"in place held once", [](FaultySteps& s) { s.refuse_create = true, s.holds["in place"] = 1; }, L"",
       {{kData, kNew}}, "alice", L"", {10}},
      {"create held for good", [](FaultySteps& s) { s.holds["create"] = 1000; }, L"held", {{kData, kOld}}, "alice",
       L"", kWholeBudget},
      // The folder's refusal stays the reason when the held file never opened.
      {"in place held for good", [](FaultySteps& s) { s.refuse_create = true, s.holds["in place"] = 1000; },
       L"folder refused", {{kData, kOld}}, "alice", L"", kWholeBudget},
      // clang-format on
  };
  for (const auto& row : rows) {
    FaultySteps steps, probed;
    for (FaultySteps* s : {&steps, &probed}) {
      s->dir[kData] = kOld, s->meta[kData] = "alice";
      row.inject(*s);
    }
    EXPECT_EQ(ProbeSave(probed, kData).message, row.probe) << row.name;
    FakeClock clock;
    EXPECT_EQ(SafeReplace(steps, clock, kData, kNew).message, row.message) << row.name;
    EXPECT_TRUE(steps.dir == row.after) << row.name;
    EXPECT_TRUE(!row.meta || steps.meta[kData] == row.meta) << row.name;
    EXPECT_EQ(steps.created.empty() ? L"" : steps.created[0], row.temp) << row.name;
    EXPECT_EQ(clock.pauses, row.pauses) << row.name;
  }
}

}  // namespace
}  // namespace quillet
