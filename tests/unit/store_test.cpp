// The entry file (line rule, encodings, the guards of saving) and the keyword
// lookup, over a file system in memory.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "store/entry_file.h"
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

// The bytes that matter to the line rule and the codecs: bytes that are no
// GBK, lone CRs and LFs, NUL, UTF-8 of one to four bytes, overlong UTF-8 and
// UTF-8 of a surrogate.
// clang-format off
const std::string kPieces[] = {
    "a", ":", "k:C:\\x", "\xD6\xD0", "\x81", "\xFF", "\x80", {"\0", 1}, "\n", "\r", "\r\n", "\xE4\xB8\xAD",
    "\xF0\x9F\x98\x80", "\xC0\x80", "\xE0\x82\x80", "\x81\x40", "\xFE\xFE", "\xED\xA0\x80"};
// clang-format on

// The targets the lookup of `typed` opens, in order.
Lines Launch(const EntryFile& file, std::wstring_view typed) {
  struct : TargetOpener {
    Lines opened;
    void OpenTarget(const std::wstring& target) override { opened.push_back(target); }
  } recorder;
  LaunchByKeyword(file, typed, recorder);
  return recorder.opened;
}

struct EntryFileTest : ::testing::Test {
  test::MemoryFilePort port;
  EntryFile file{port, Gbk(), kPath};
  LineList list;
  std::string& Bytes() { return port.files[kPath]; }
};

// The list of file bytes and own texts against a plain vector of decoded
// lines: random loads (GBK, or UTF-8 with its mark), inserts at the top and
// anywhere, replacements, deletions, clears and saves. The vector decodes a
// whole file before splitting it and encodes the whole text it saves, as a
// list of strings would. Loads append, never clear. A line ends at CR LF or a
// lone CR; a lone LF is part of it; a terminator at the end starts no line.
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
        for (std::size_t start = 0, end; start < text.size(); start = end + (text.compare(end, 2, L"\r\n") ? 1 : 2)) {
          end = std::min(text.find(L'\r', start), text.size());
          model.push_back(text.substr(start, end - start));
        }
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
        if (expected && encoding == FileEncoding::kUtf8WithBom) expected->insert(0, kUtf8Bom);
        ASSERT_EQ(file.Save(list).ok, expected.has_value()) << "step " << step;
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
  list.Insert(0, L"kept");
  EXPECT_EQ(file.LoadLines(list).message, L"共享冲突。");
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

  port.fail_reads_with.clear();
  EntryFile fresh(port, Gbk(), L"C:\\q\\none.txt");  // no file at all counts as loaded
  ASSERT_TRUE(fresh.LoadLines(list));
  EXPECT_TRUE(fresh.Save(list));
  // Delete all keeps the file's bytes beside it first, and the mark; without the backup the file stays.
  const std::string utf8 = std::string(kUtf8Bom) + "a:1\r\n";
  Bytes() = utf8;
  ASSERT_TRUE(file.LoadLines(list));
  port.fail_writes_to = {{BackupPathFor(kPath), L"拒绝访问。"}};
  EXPECT_TRUE(file.WriteCleared().in_backup && Bytes() == utf8);
  port.fail_writes_to.clear();
  ASSERT_TRUE(file.WriteCleared());
  EXPECT_EQ(Bytes(), std::string(kUtf8Bom) + "\r\n");
  EXPECT_EQ(port.files[BackupPathFor(kPath)], utf8);
}

// On a system whose ANSI code page is UTF-8 a file without the mark is UTF-8
// only where all of it is well-formed, else the locale's legacy code page; it
// is saved back the way it came, and the lookup reads it the same way. A new
// file there is UTF-8 with the mark.
TEST_F(EntryFileTest, OnAUtf8SystemOnlyWellFormedFilesWithoutTheMarkAreUtf8) {
  const std::wstring mixed = std::wstring{L'涓', EscapeByte(0xAD)} + L":y";
  const std::string utf8 = "\xE6\x96\xB0:x\r\n", gbk = "\xD0\xC2:x\r\n", mark(kUtf8Bom);  // "新:x" saved
  const struct {
    unsigned system_code_page;
    std::optional<std::string> bytes;  // none: no file yet
    Lines lines;
    std::string saved;  // after "新:x" went on top
  } cases[] = {
      {kUtf8CodePage, "\xE4\xB8\xAD:y\r\n", {L"中:y"}, utf8 + "\xE4\xB8\xAD:y\r\n"},
      {kUtf8CodePage, "a:1\r\n", {L"a:1"}, utf8 + "a:1\r\n"},
      // One sequence that is no UTF-8 makes the whole file legacy.
      {kUtf8CodePage, "\xD6\xD0:z\r\n\xE4\xB8\xAD:y\r\n", {L"中:z", mixed}, gbk + "\xD6\xD0:z\r\n\xE4\xB8\xAD:y\r\n"},
      {kUtf8CodePage, mark + "\xE4\xB8\xAD:y\r\n", {L"中:y"}, mark + utf8 + "\xE4\xB8\xAD:y\r\n"},
      {kUtf8CodePage, std::nullopt, {}, mark + utf8},
      {936, "\xE4\xB8\xAD:y\r\n", {mixed}, gbk + "\xE4\xB8\xAD:y\r\n"},
  };
  for (const auto& c : cases) {
    port.files.clear();
    if (c.bytes) Bytes() = *c.bytes;
    EntryFile system_file(port, Gbk(), kPath, ChooseAnsiFiles(c.system_code_page, 936).system_utf8);
    LineList lines;
    ASSERT_TRUE(system_file.LoadLines(lines));
    EXPECT_EQ(All(lines), c.lines) << c.saved;
    lines.Insert(0, L"新:x");
    ASSERT_TRUE(system_file.Save(lines));
    EXPECT_EQ(Bytes(), c.saved);
    EXPECT_EQ(Launch(system_file, L"新"), Lines{L"x"}) << c.saved;
  }
  // Files without the mark are read in the locale's legacy code page, if it has one.
  EXPECT_EQ(ChooseAnsiFiles(kUtf8CodePage, 936).code_page, 936u);
  EXPECT_EQ(ChooseAnsiFiles(kUtf8CodePage, 0).code_page, kUtf8CodePage);
}

// What tells a save that another program changed the file since it was read
// or written: its creation and its removal count, a failed read does not (the
// save then says why it fails).
TEST_F(EntryFileTest, CreationAndRemovalCountAsChangesButAFailedReadDoesNot) {
  ASSERT_TRUE(file.LoadLines(list));  // no file yet
  Bytes() = "made:elsewhere\r\n";
  EXPECT_TRUE(file.ChangedSinceSeen());
  port.fail_reads_with = L"共享冲突。";
  EXPECT_FALSE(file.ChangedSinceSeen());
  ASSERT_TRUE(file.Save(list));
  port.fail_reads_with.clear(), port.files.clear();
  EXPECT_TRUE(file.ChangedSinceSeen());
}

// The typed text is cut at every space; each word opens the target of every
// line whose keyword (before the first colon) is exactly that word, an empty
// word the lines with an empty keyword.
TEST_F(EntryFileTest, LookupOpensEveryMatchInFileOrderOncePerEqualWord) {
  Bytes() = "a:X\r\nb:Y\r\n:Z\r\na:W\r\n\r\nabc\r\n a :S\r\nu:http://h/?q=1:2\r\n";
  const struct {
    std::wstring typed;
    Lines opened;
  } cases[] = {
      {L"a", {L"X", L"W"}}, {L"b a", {L"X", L"Y", L"W"}}, {L"b b", {L"Y", L"Y"}}, {L"b ", {L"Y", L"Z"}},
      {L"abc", {}},         {L"u", {L"http://h/?q=1:2"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Launch(file, c.typed), c.opened) << c.typed;
}

}  // namespace
}  // namespace quillet
