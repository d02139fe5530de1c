// The entry file (line rule, encodings, the guards of saving), the entry line
// and the keyword lookup, over a file system in memory.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "store/entry_file.h"
#include "store/entry_line.h"
#include "store/lines.h"
#include "store/lookup.h"
#include "tests/unit/store_test_support.h"

namespace quillet {
namespace {

using test::Gbk;
using Lines = std::vector<std::wstring>;
const std::wstring kPath = L"C:\\q\\data.txt";

Lines All(const LineList& list) {
  Lines all;
  for (std::size_t i = 0; i < list.size(); ++i) all.push_back(list[i]);
  return all;
}
LineList Of(const Lines& lines) {
  LineList list;
  for (const auto& line : lines) list.Insert(list.size(), line);
  return list;
}

// The bytes that matter to the line rule and the codecs: bytes that are no
// GBK, lone CRs and LFs, NUL, UTF-8 of one to four bytes, overlong UTF-8 and
// UTF-8 of a surrogate.
// clang-format off
const std::string kPieces[] = {
    "a", ":", "k:C:\\x", "\xD6\xD0", "\x81", "\xFF", "\x80", {"\0", 1}, "\n", "\r", "\r\n", "\xE4\xB8\xAD",
    "\xF0\x9F\x98\x80", "\xC0\x80", "\xE0\x82\x80", "\x81\x40", "\xFE\xFE", "\xED\xA0\x80"};
// clang-format on

struct EntryFileTest : ::testing::Test {
  test::MemoryFilePort port;
  EntryFile file{port, Gbk(), kPath};
  LineList list;
  std::string& Bytes() { return port.files[kPath]; }
  Lines Load(std::string bytes) {
    Bytes() = std::move(bytes);
    EXPECT_TRUE(file.LoadLines(list));
    return All(list);
  }
};

TEST_F(EntryFileTest, LinesEndAtCrLfAndLoneCrButNotLoneLf) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"a:1\r\nb:2", {L"a:1", L"b:2"}},
      {"a:1\r\nb:2\r\n", {L"a:1", L"b:2"}},
      {"a:1\r\nb:2\r\n\r\n", {L"a:1", L"b:2", L""}},
      {"a:1\rb:2\r", {L"a:1", L"b:2"}},
      {"a\nb\r\nc", {L"a\nb", L"c"}},
      {"\r\r\n\r", {L"", L"", L""}},
      {"", {}},
      {"\r\n", {L""}},
      {"\xBC\xC7:C:\\\xB9\xA4\r\n", {L"记:C:\\工"}},
      // UTF-8 only with the mark: without it the same bytes are the ANSI code page.
      {"\xEF\xBB\xBF\xED\x95\x9C:x\r\n", {L"\uD55C:x"}},
      {"\xE4\xB8\xAD:y\r\n", {std::wstring{L'涓', EscapeByte(0xAD)} + L":y"}},
  };
  for (const auto& c : cases) {
    list.Clear();
    EXPECT_EQ(Load(c.bytes), c.lines) << c.bytes;
  }
  list = Of({L"old"});
  EXPECT_EQ(Load("a:1\r\n"), (Lines{L"old", L"a:1"}));  // appends, never clears
}

// The list of file bytes and own texts against a plain vector of decoded
// lines: random loads (GBK, or UTF-8 with its mark), inserts at the top and
// anywhere, replacements, deletions, clears and saves. The vector decodes a
// whole file before splitting it and encodes the whole text it saves, as a
// list of strings would.
TEST_F(EntryFileTest, TheListOfBytesBehavesLikeAVectorOfDecodedLines) {
  std::mt19937 random(20261207);
  const std::vector<std::wstring> typed = {L"n:1", L"", L"中:C:\\文", L"\uD55C", std::wstring(1, EscapeByte(0x81))};
  Lines model;
  FileEncoding encoding = FileEncoding::kAnsi;
  for (int step = 0; step < 4000; ++step) {
    const int n = static_cast<int>(model.size());
    const int at = n == 0 ? 0 : static_cast<int>(random() % n);
    switch (random() % 8) {
      case 0: {  // a load appends the file's lines
        const bool utf8 = random() % 3 == 0;
        std::string content;
        for (int p = random() % 12; p > 0; --p) content += kPieces[random() % std::size(kPieces)];
        ASSERT_TRUE(file.LoadLines((Bytes() = (utf8 ? std::string(kUtf8Bom) : "") + content, list)));
        encoding = utf8 ? FileEncoding::kUtf8WithBom : FileEncoding::kAnsi;
        const std::wstring text = file.CodecFor(encoding).Decode(content);
        ForEachLine(std::wstring_view(text), [&](std::wstring_view line) { model.emplace_back(line); });
        break;
      }
      case 1: model.insert(model.begin(), typed[random() % typed.size()]), list.Insert(0, model.front()); break;
      case 2: model.insert(model.begin() + at, typed[random() % typed.size()]), list.Insert(at, model[at]); break;
      case 3:
        if (n > 0) model[at] = typed[random() % typed.size()], list.Set(at, model[at]);
        break;
      case 4:
      case 5:
        if (n > 0) model.erase(model.begin() + at), list.Remove(at);
        break;
      case 6:
        if (random() % 4 == 0) model.clear(), list.Clear();
        break;
      default: {  // a save writes what encoding the whole text gives, or is refused as that would be
        std::wstring text;
        for (const auto& line : model) text += line + L"\r\n";
        std::optional<std::string> expected = file.CodecFor(encoding).Encode(model.empty() ? L"\r\n" : text);
        const std::string before = Bytes();
        const IoStatus saved = file.Save(list);
        if (expected && encoding == FileEncoding::kUtf8WithBom) expected->insert(0, kUtf8Bom);
        ASSERT_EQ(saved.ok, expected.has_value()) << "step " << step;
        ASSERT_EQ(Bytes(), expected ? *expected : before) << "step " << step;
      }
    }
    ASSERT_EQ(All(list), model) << "step " << step;
  }
}

// The list lacks the lines of a file that could not be read: saving it then
// would throw them away. A load that succeeds (or finds no file) lifts that.
TEST_F(EntryFileTest, SavesAreRefusedWhileTheFileCouldNotBeLoaded) {
  Bytes() = "a:1\r\n";
  port.fail_reads_with = L"共享冲突。";
  list = Of({L"kept"});
  const IoStatus read = file.LoadLines(list);
  EXPECT_EQ(read.message, L"共享冲突。");
  EXPECT_EQ(All(list), Lines{L"kept"});
  EXPECT_EQ(file.Save(list).refusal, SaveRefusal::kUnreadFile);
  EXPECT_FALSE(file.WriteCleared());
  EXPECT_EQ(Bytes(), "a:1\r\n");

  port.fail_reads_with.clear();
  ASSERT_TRUE(file.LoadLines(list));
  port.fail_reads_with = L"共享冲突。";  // once loaded, a failed reload leaves the list whole
  ASSERT_FALSE(file.LoadLines(list));
  ASSERT_TRUE(file.Save(list));
  EXPECT_EQ(Bytes(), "kept\r\na:1\r\n");

  test::MemoryFilePort empty;  // no file at all counts as loaded
  EntryFile fresh(empty, Gbk(), kPath);
  ASSERT_TRUE(fresh.LoadLines(list));
  EXPECT_TRUE(fresh.Save(Of({L"k:v"})));
  port.fail_reads_with.clear();
  Load(std::string(kUtf8Bom) + "a:1\r\n");
  ASSERT_TRUE(file.WriteCleared());  // delete all keeps the mark
  EXPECT_EQ(Bytes(), std::string(kUtf8Bom) + "\r\n");
}

// On a system whose ANSI code page is UTF-8 a file without the mark is UTF-8
// only where all of it is well-formed, else the locale's legacy code page; it
// is saved back the way it came. A new file there is UTF-8 with the mark.
TEST_F(EntryFileTest, OnAUtf8SystemOnlyWellFormedFilesWithoutTheMarkAreUtf8) {
  const std::wstring mixed = std::wstring{L'涓', EscapeByte(0xAD)} + L":y";
  const struct {
    bool system_utf8;
    std::optional<std::string> bytes;  // none: no file yet
    Lines lines;
    FileEncoding encoding;
    std::string new_line;  // "新:x" as it is saved
  } cases[] = {
      {true, "\xE4\xB8\xAD:y\r\n", {L"中:y"}, FileEncoding::kUtf8, "\xE6\x96\xB0:x\r\n"},
      {true, "a:1\r\n", {L"a:1"}, FileEncoding::kUtf8, "\xE6\x96\xB0:x\r\n"},
      {true, "\xD6\xD0:y\r\n", {L"中:y"}, FileEncoding::kAnsi, "\xD0\xC2:x\r\n"},
      // One sequence that is no UTF-8 makes the whole file legacy.
      {true, "\xD6\xD0:z\r\n\xE4\xB8\xAD:y\r\n", {L"中:z", mixed}, FileEncoding::kAnsi, "\xD0\xC2:x\r\n"},
      {true, "\xEF\xBB\xBF\xE4\xB8\xAD:y\r\n", {L"中:y"}, FileEncoding::kUtf8WithBom, "\xE6\x96\xB0:x\r\n"},
      {true, std::nullopt, {}, FileEncoding::kUtf8WithBom, "\xE6\x96\xB0:x\r\n"},
      {false, "\xE4\xB8\xAD:y\r\n", {mixed}, FileEncoding::kAnsi, "\xD0\xC2:x\r\n"},
      {false, std::nullopt, {}, FileEncoding::kAnsi, "\xD0\xC2:x\r\n"},
  };
  for (const auto& c : cases) {
    port.files.clear();
    if (c.bytes) Bytes() = *c.bytes;
    EntryFile system_file(port, Gbk(), kPath, c.system_utf8);
    LineList lines;
    ASSERT_TRUE(system_file.LoadLines(lines));
    EXPECT_EQ(All(lines), c.lines) << c.bytes.value_or("none");
    lines.Insert(0, L"新:x");
    ASSERT_TRUE(system_file.Save(lines));
    const bool mark = c.encoding == FileEncoding::kUtf8WithBom;
    const std::string old = c.bytes.value_or("");
    EXPECT_EQ(Bytes(),
              (mark ? std::string(kUtf8Bom) : "") + c.new_line + old.substr(mark && c.bytes ? kUtf8Bom.size() : 0));
  }
  EXPECT_EQ(ChooseAnsiFiles(936, 936).code_page, 936u);
  EXPECT_FALSE(ChooseAnsiFiles(936, 936).system_utf8);
  EXPECT_EQ(ChooseAnsiFiles(kUtf8CodePage, 936).code_page, 936u);
  EXPECT_TRUE(ChooseAnsiFiles(kUtf8CodePage, 936).system_utf8);
  EXPECT_EQ(ChooseAnsiFiles(kUtf8CodePage, 0).code_page, kUtf8CodePage);
}

// What tells a save that another program changed the file since it was read or written.
TEST_F(EntryFileTest, CreationChangeAndRemovalCountAsChangesButAFailedReadDoesNot) {
  ASSERT_TRUE(file.LoadLines(list));  // no file yet
  Bytes() = "made:elsewhere\r\n";
  EXPECT_TRUE(file.ChangedSinceSeen());
  ASSERT_TRUE(file.LoadLines(list));
  EXPECT_FALSE(file.ChangedSinceSeen());
  port.fail_reads_with = L"共享冲突。";  // the save says why it fails instead
  EXPECT_FALSE(file.ChangedSinceSeen());
  port.fail_reads_with.clear();
  port.files.clear();
  EXPECT_TRUE(file.ChangedSinceSeen());
  ASSERT_TRUE(file.Save(list));
  EXPECT_FALSE(file.ChangedSinceSeen());
}

struct Recorder : TargetOpener {
  Lines opened;
  void OpenTarget(const std::wstring& target) override { opened.push_back(target); }
};

struct LookupTest : EntryFileTest {
  Lines Launch(const std::wstring& typed) {
    Recorder recorder;
    LaunchByKeyword(file, typed, recorder);
    return recorder.opened;
  }
};

TEST_F(LookupTest, OpensEveryMatchInFileOrderOncePerEqualWord) {
  Bytes() = "a:X\r\nb:Y\r\n:Z\r\na:W\r\n\r\nabc\r\n a :S\r\nk v:V\r\nu:http://h/?q=1:2\r\n";
  const struct {
    std::wstring typed;
    Lines opened;
  } cases[] = {
      {L"a", {L"X", L"W"}},
      {L"A", {}},
      {L"b a", {L"X", L"Y", L"W"}},
      {L"b b", {L"Y", L"Y"}},
      {L"b ", {L"Y", L"Z"}},
      {L"abc", {}},
      {L"k v", {}},
      {L"u", {L"http://h/?q=1:2"}},
      {L"a:", {}},
      {L"a:X", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Launch(c.typed), c.opened) << c.typed;
  EXPECT_EQ(Launch(L""), Lines{L"Z"});
  EXPECT_EQ(port.reads, 11);  // read afresh every time
  port.fail_reads_with = L"locked";
  EXPECT_EQ(Launch(L""), Lines{});
}

// On a system whose code page is UTF-8, keywords are compared as the entry file reads them.
TEST(LookupInBytesTest, ComparesTextDecodedAsTheEntryFileDecodesIt) {
  for (const auto& [bytes, target] :
       {std::pair<std::string, std::wstring>{"\xE4\xB8\xAD:utf8\r\n", L"utf8"}, {"\xD6\xD0:gbk\r\n", L"gbk"}}) {
    Recorder recorder;
    LaunchInBytes(bytes, Gbk(), L"中", recorder, /*system_utf8=*/true);
    EXPECT_EQ(recorder.opened, Lines{target});
  }
}

}  // namespace
}  // namespace quillet
