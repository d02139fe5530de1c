#include "store/lookup.h"

#include <gtest/gtest.h>

#include <vector>

#include "store/entry_file.h"
#include "tests/unit/store_test_support.h"

namespace quillet {
namespace {

struct Recorder : TargetOpener {
  std::vector<std::wstring> opened;
  void OpenTarget(const std::wstring& target) override { opened.push_back(target); }
};

using Targets = std::vector<std::wstring>;

struct LookupTest : ::testing::Test {
  test::MemoryFilePort port;
  EntryFile file{port, test::Gbk(), L"data.txt"};

  Targets Launch(const std::wstring& typed) {
    Recorder recorder;
    LaunchByKeyword(file, typed, recorder);
    return recorder.opened;
  }
};

TEST_F(LookupTest, OpensEveryMatchInFileOrderOncePerEqualWord) {
  port.files[L"data.txt"] = "a:X\r\nb:Y\r\n:Z\r\na:W\r\n";
  EXPECT_EQ(Launch(L"a"), (Targets{L"X", L"W"}));
  EXPECT_EQ(Launch(L"A"), Targets{});
  EXPECT_EQ(Launch(L"b a"), (Targets{L"X", L"Y", L"W"}));
  EXPECT_EQ(Launch(L"a b"), (Targets{L"X", L"Y", L"W"}));
  EXPECT_EQ(Launch(L"b b"), (Targets{L"Y", L"Y"}));
  EXPECT_EQ(Launch(L"b "), (Targets{L"Y", L"Z"}));
  EXPECT_EQ(Launch(L""), Targets{L"Z"});
  EXPECT_EQ(Launch(L"c"), Targets{});
  EXPECT_EQ(Launch(L" a"), (Targets{L"X", L"Z", L"W"}));
  EXPECT_EQ(port.reads, 9);  // read afresh every time
}

TEST_F(LookupTest, TargetsStayWholeAndKeywordsAreExact) {
  port.files[L"data.txt"] =
      "n:C:\\Program Files\\x\\x.exe\r\np:notepad.exe c:\\a.txt\r\n a :spaced\r\nk v:never\r\nu:http://h/?q=1:2\r\n";
  EXPECT_EQ(Launch(L"n"), Targets{L"C:\\Program Files\\x\\x.exe"});
  EXPECT_EQ(Launch(L"p"), Targets{L"notepad.exe c:\\a.txt"});
  EXPECT_EQ(Launch(L"u"), Targets{L"http://h/?q=1:2"});
  EXPECT_EQ(Launch(L"a"), Targets{});
  EXPECT_EQ(Launch(L"k v"), Targets{});  // a keyword with a space is never found
}

TEST_F(LookupTest, LinesWithoutAColonNeverMatch) {
  port.files[L"data.txt"] = "\r\nabc\r\n\r\n";
  EXPECT_EQ(Launch(L""), Targets{});
  EXPECT_EQ(Launch(L"abc"), Targets{});
  EXPECT_EQ(Launch(L" "), Targets{});
}

TEST_F(LookupTest, MissingOrUnreadableFileOpensNothing) {
  EXPECT_EQ(Launch(L""), Targets{});
  port.files[L"data.txt"] = ":Z\r\n";
  port.fail_reads_with = L"locked";
  EXPECT_EQ(Launch(L""), Targets{});
}

TEST_F(LookupTest, ComparesDecodedText) {
  // GBK keywords, a lone lead byte, a lone LF inside a line, a lone CR ending one, a UTF-8 file with its mark.
  port.files[L"data.txt"] = "\xBC\xC7:\xB9\xA4\\x\r\n\x81:bad\rq\nr:lf\r\n";
  EXPECT_EQ(Launch(L"记"), Targets{L"工\\x"});
  EXPECT_EQ(Launch(std::wstring(1, EscapeByte(0x81))), Targets{L"bad"});
  EXPECT_EQ(Launch(L"q\nr"), Targets{L"lf"});
  EXPECT_EQ(Launch(L"\uD55C"), Targets{});  // can't be in the file at all
  port.files[L"data.txt"] = "\xEF\xBB\xBF\xED\x95\x9C:\xE4\xB8\xAD\r\n";
  EXPECT_EQ(Launch(L"\uD55C"), Targets{L"中"});
}

TEST_F(LookupTest, BeyondSixteenBitLineCounts) {
  std::string bytes;
  for (int i = 0; i < 70000; ++i) bytes += "k" + std::to_string(i) + ":t" + std::to_string(i) + "\r\n";
  port.files[L"data.txt"] = bytes;
  EXPECT_EQ(Launch(L"k69999 k0"), (Targets{L"t0", L"t69999"}));
}

}  // namespace
}  // namespace quillet
