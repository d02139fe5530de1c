#include "store/entry_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "store/entry_line.h"
#include "tests/unit/store_test_support.h"

namespace quillet {
namespace {

using test::Gbk;
using test::MemoryFilePort;

const std::wstring kPath = L"C:\\q\\data.txt";

struct EntryFileTest : ::testing::Test {
  MemoryFilePort port;
  EntryFile file{port, Gbk(), kPath};

  std::vector<std::wstring> Load(std::string bytes) {
    port.files[kPath] = std::move(bytes);
    std::vector<std::wstring> list;
    EXPECT_TRUE(file.LoadLinesIntoList(list));
    return list;
  }
};

using Lines = std::vector<std::wstring>;

TEST_F(EntryFileTest, LineRuleEndsLinesAtCrLfAndLoneCrButNotLoneLf) {
  EXPECT_EQ(Load("a:1\r\nb:2"), (Lines{L"a:1", L"b:2"}));
  EXPECT_EQ(Load("a:1\r\nb:2\r\n"), (Lines{L"a:1", L"b:2"}));
  EXPECT_EQ(Load("a:1\r\nb:2\r\n\r\n"), (Lines{L"a:1", L"b:2", L""}));
  EXPECT_EQ(Load("a:1\rb:2\r"), (Lines{L"a:1", L"b:2"}));
  EXPECT_EQ(Load("a\nb\r\nc"), (Lines{L"a\nb", L"c"}));
  EXPECT_EQ(Load("\n"), (Lines{L"\n"}));
  EXPECT_EQ(Load("\r\r\n\r"), (Lines{L"", L"", L""}));
  EXPECT_EQ(Load("x\r\n\r\ny"), (Lines{L"x", L"", L"y"}));
  EXPECT_EQ(Load(""), Lines{});
  EXPECT_EQ(Load("\r\n"), Lines{L""});
}

TEST_F(EntryFileTest, LoadAppendsWithoutClearing) {
  port.files[kPath] = "a:1\r\nb:2\r\n";
  std::vector<std::wstring> list{L"old"};
  ASSERT_TRUE(file.LoadLinesIntoList(list));
  ASSERT_TRUE(file.LoadLinesIntoList(list));
  EXPECT_EQ(list, (Lines{L"old", L"a:1", L"b:2", L"a:1", L"b:2"}));
}

TEST_F(EntryFileTest, MissingFileLoadsNothingAndIsNoFailure) {
  std::vector<std::wstring> list{L"kept"};
  EXPECT_TRUE(file.LoadLinesIntoList(list));
  EXPECT_EQ(list, Lines{L"kept"});
  EXPECT_EQ(file.ReadWholeFile(), L"");
}

TEST_F(EntryFileTest, ReadFailureCarriesTheSystemsMessageAndLeavesTheList) {
  port.fail_reads_with = L"拒绝访问。";
  std::vector<std::wstring> list{L"kept"};
  const IoStatus status = file.LoadLinesIntoList(list);
  EXPECT_FALSE(status);
  EXPECT_EQ(status.message, L"拒绝访问。");
  EXPECT_EQ(list, Lines{L"kept"});
  EXPECT_EQ(file.ReadWholeFile(), L"");
}

// The list lacks the lines of a file that could not be read: saving it then
// would throw them away. A load that succeeds (or finds no file) lifts that.
TEST_F(EntryFileTest, SavesAreRefusedWhileTheFileCouldNotBeLoaded) {
  port.files[kPath] = "a:1\r\nb:2\r\n";
  port.fail_reads_with = L"共享冲突。";
  std::vector<std::wstring> list;
  ASSERT_FALSE(file.LoadLinesIntoList(list));
  list.push_back(L"new:3");

  const IoStatus saved = file.Save(list);
  EXPECT_FALSE(saved);
  EXPECT_EQ(saved.message, kUnreadFileMessage);
  EXPECT_FALSE(file.WriteCleared());
  EXPECT_EQ(port.files[kPath], "a:1\r\nb:2\r\n");

  port.fail_reads_with.clear();
  ASSERT_TRUE(file.LoadLinesIntoList(list));
  ASSERT_TRUE(file.Save(list));
  EXPECT_EQ(port.files[kPath], "new:3\r\na:1\r\nb:2\r\n");

  // Once loaded, a failed reload leaves the list whole: saving goes on.
  port.fail_reads_with = L"共享冲突。";
  ASSERT_FALSE(file.LoadLinesIntoList(list));
  port.fail_reads_with.clear();
  EXPECT_TRUE(file.WriteCleared());
  EXPECT_EQ(port.files[kPath], "\r\n");
}

TEST_F(EntryFileTest, AMissingFileCountsAsLoaded) {
  std::vector<std::wstring> list;
  ASSERT_TRUE(file.LoadLinesIntoList(list));
  ASSERT_TRUE(file.Save({L"k:v"}));
  EXPECT_EQ(port.files[kPath], "k:v\r\n");
}

TEST_F(EntryFileTest, ReadWholeFilePutsCrLfBeforeEveryLine) {
  port.files[kPath] = "a:1\r\nb:2\r\n";
  EXPECT_EQ(file.ReadWholeFile(), L"\r\na:1\r\nb:2");
  port.files[kPath] = "\r\n";
  EXPECT_EQ(file.ReadWholeFile(), L"\r\n");
  port.files[kPath] = "";
  EXPECT_EQ(file.ReadWholeFile(), L"");
}

TEST_F(EntryFileTest, SaveWritesEveryItemThenCrLf) {
  ASSERT_TRUE(file.Save({L"a:1", L"b:2"}));
  EXPECT_EQ(port.files[kPath], "a:1\r\nb:2\r\n");
  ASSERT_TRUE(file.Save({L"a:1", L"", L"b:2"}));
  EXPECT_EQ(port.files[kPath], "a:1\r\n\r\nb:2\r\n");
  ASSERT_TRUE(file.Save({}));
  EXPECT_EQ(port.files[kPath], "\r\n");
  ASSERT_TRUE(file.WriteCleared());
  EXPECT_EQ(port.files[kPath], "\r\n");
}

TEST_F(EntryFileTest, ChineseIsWrittenInTheAnsiCodePage) {
  ASSERT_TRUE(file.Save({L"记事本:C:\\工具\\a.exe"}));
  EXPECT_EQ(port.files[kPath], "\xBC\xC7\xCA\xC2\xB1\xBE:C:\\\xB9\xA4\xBE\xDF\\a.exe\r\n");
  EXPECT_EQ(Load(port.files[kPath]), Lines{L"记事本:C:\\工具\\a.exe"});
}

TEST_F(EntryFileTest, UnrepresentableTextFailsTheSaveAndKeepsTheFile) {
  port.files[kPath] = "a:1\r\n";
  const IoStatus status = file.Save({L"k:\uD55C\uAE00"});  // Hangul is not in code page 936
  EXPECT_FALSE(status);
  EXPECT_EQ(status.message, kUnstorableTextMessage);
  EXPECT_EQ(port.files[kPath], "a:1\r\n");
  EXPECT_FALSE(file.CanStore(L"\uD55C"));
  EXPECT_TRUE(file.CanStore(L"中文"));
}

TEST_F(EntryFileTest, ByteOrderMarkSelectsUtf8AndIsKeptOnSave) {
  const std::string bytes = "\xEF\xBB\xBF\xED\x95\x9C:x\r\n\xE4\xB8\xAD:y\r\n";
  const Lines lines = Load(bytes);
  EXPECT_EQ(lines, (Lines{L"\uD55C:x", L"中:y"}));
  EXPECT_TRUE(file.CanStore(L"\uD55C"));
  ASSERT_TRUE(file.Save(lines));
  EXPECT_EQ(port.files[kPath], bytes);
  EXPECT_EQ(file.ReadWholeFile(), L"\r\n\uD55C:x\r\n中:y");
}

TEST_F(EntryFileTest, ValidUtf8WithoutTheMarkIsStillTheAnsiCodePage) {
  // "中" in UTF-8 reads as GBK "涓" and a stray byte; without the mark it is GBK all the same.
  const Lines lines = Load("\xE4\xB8\xAD:y\r\n");
  EXPECT_EQ(lines, (Lines{std::wstring{L'涓', EscapeByte(0xAD)} + L":y"}));
  ASSERT_TRUE(file.Save(lines));
  EXPECT_EQ(port.files[kPath], "\xE4\xB8\xAD:y\r\n");
}

TEST_F(EntryFileTest, WriteFailureLeavesTheFileAndSaysWhy) {
  port.files[kPath] = "a:1\r\n";
  port.fail_writes_with = L"磁盘已满。";
  const IoStatus status = file.Save({L"b:2"});
  EXPECT_FALSE(status);
  EXPECT_EQ(status.message, L"磁盘已满。");
  EXPECT_EQ(port.files[kPath], "a:1\r\n");
  EXPECT_FALSE(file.WriteCleared());
}

TEST_F(EntryFileTest, LargeFilesLoadAndSaveEveryLine) {
  std::string bytes;
  for (int i = 0; i < 100000; ++i) bytes += "k" + std::to_string(i) + ":C:\\\xB9\xA4\xBE\xDF\\" + std::to_string(i) + "\r\n";
  const Lines lines = Load(bytes);
  ASSERT_EQ(lines.size(), 100000u);
  EXPECT_EQ(lines[99999], L"k99999:C:\\工具\\99999");
  ASSERT_TRUE(file.Save(lines));
  EXPECT_EQ(port.files[kPath], bytes);
}

TEST(EntryLineTest, SplitsAtTheFirstColonAndTrimsNothing) {
  EXPECT_EQ(EntryPart(L"a:C:\\tools\\x.exe", L"l"), L"a");
  EXPECT_EQ(EntryPart(L"a:C:\\tools\\x.exe", L"r"), L"C:\\tools\\x.exe");
  EXPECT_EQ(EntryPart(L":x", L"l"), L"");
  EXPECT_EQ(EntryPart(L":x", L"r"), L"x");
  EXPECT_EQ(EntryPart(L"a:", L"l"), L"a");
  EXPECT_EQ(EntryPart(L"a:", L"r"), L"");
  EXPECT_EQ(EntryPart(L" a :x", L"l"), L" a ");
  EXPECT_EQ(EntryPart(L"k:a:b", L"r"), L"a:b");
  EXPECT_EQ(MakeEntryLine(L"a:b", L"c"), L"a:b:c");
  EXPECT_EQ(EntryPart(MakeEntryLine(L"a:b", L"c"), L"l"), L"a");
}

TEST(EntryLineTest, ALineWithoutAColonHasNoKeyword) {
  EXPECT_EQ(EntryPart(L"abc", L"l"), L"");
  EXPECT_EQ(EntryPart(L"abc", L"r"), L"abc");
  EXPECT_EQ(EntryPart(L"", L"r"), L"");
  EXPECT_FALSE(SplitEntryLine(L"abc").has_value());
  EXPECT_FALSE(SplitEntryLine(L"").has_value());
  // The full-width colon is text, not a separator.
  EXPECT_EQ(EntryPart(L"a\uFF1Ab:c", L"l"), L"a\uFF1Ab");
}

}  // namespace
}  // namespace quillet
