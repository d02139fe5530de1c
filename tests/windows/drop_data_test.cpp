#include "platform/win32/win32_drop_data.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/drag_source.h"

namespace quillet {
namespace {

std::string Bytes(const void* data, std::size_t size) { return std::string(static_cast<const char*>(data), size); }
std::string WideBytes(const std::wstring& text) { return Bytes(text.data(), text.size() * sizeof(wchar_t)); }

// A DROPFILES header pointing at `offset`, followed by `names` as they are.
std::string DropFiles(DWORD offset, bool wide, const std::string& names) {
  const DROPFILES header{offset, {0, 0}, FALSE, wide};
  return Bytes(&header, sizeof header) + names;
}

// What the receiving side reads from a data object that offers exactly these
// blocks, each in memory of exactly its size.
using Blocks = std::vector<ClipboardBlock>;
std::optional<std::wstring> TextOf(Blocks blocks) { return Win32DropData(NewMemoryDataObject(blocks).get()).Text(); }
std::vector<std::wstring> FilesOf(Blocks blocks) { return Win32DropData(NewMemoryDataObject(blocks).get()).Files(); }

TEST(DropDataTest, TextIsUnicodeFirstAndReadNoFurtherThanItsBlockAndItsFirstNul) {
  const struct {
    Blocks blocks;
    std::optional<std::wstring> text;
  } cases[] = {
      {{{CF_UNICODETEXT, WideBytes(std::wstring(L"宽字符 wide") + L'\0')}, {CF_TEXT, std::string("narrow\0", 7)}},
       L"宽字符 wide"},
      {{{CF_TEXT, "abc"}}, L"abc"},                         // no terminating NUL
      {{{CF_UNICODETEXT, WideBytes(L"xy") + "z"}}, L"xy"},  // an odd last byte is half a character
      {{{CF_TEXT, std::string("ab\0cd", 5)}}, L"ab"},
      {{{CF_UNICODETEXT, WideBytes(std::wstring(L"ab\0cd", 5))}}, L"ab"},
      {{{CF_UNICODETEXT, WideBytes(std::wstring(1, L'\0'))}}, L""},  // empty text is text
      {{{CF_HDROP, DropFiles(sizeof(DROPFILES), true, WideBytes(std::wstring(2, L'\0')))}}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TextOf(c.blocks), c.text) << c.blocks.front().bytes;
  // 8-bit text is in the ANSI code page: 中 where that is 936, ÖÐ where it is 1252.
  if (const UINT acp = ::GetACP(); acp == 936 || acp == 1252) {
    EXPECT_EQ(TextOf({{CF_TEXT, "\xD6\xD0"}}), acp == 936 ? L"中" : L"ÖÐ");
  }
}

TEST(DropDataTest, FileListsGiveTheirNamesInOrderAndDamagedOnesNoneBeyondTheBlock) {
  const std::string one_name = WideBytes(std::wstring(L"C:\\f\0\0", 6));
  const struct {
    const char* what;
    std::string block;
    std::vector<std::wstring> files;
  } cases[] = {
      {"wide names",
       DropFiles(sizeof(DROPFILES), true, WideBytes(std::wstring(L"C:\\a b\\第一.txt\0D:\\x.exe\0\\\\s\\z\0\0", 31))),
       {L"C:\\a b\\第一.txt", L"D:\\x.exe", L"\\\\s\\z"}},
      {"8-bit names",
       DropFiles(sizeof(DROPFILES), false, std::string("C:\\one\0D:\\two\0\0", 16)),
       {L"C:\\one", L"D:\\two"}},
      {"names after a gap", DropFiles(sizeof(DROPFILES) + 6, true, std::string(6, '\x7f') + one_name), {L"C:\\f"}},
      {"a wide name the block cuts",
       DropFiles(sizeof(DROPFILES), true, WideBytes(std::wstring(L"C:\\w\0C:\\cu", 10))),
       {L"C:\\w"}},
      {"an 8-bit name the block cuts",
       DropFiles(sizeof(DROPFILES), false, std::string("C:\\w\0C:\\cu", 10)),
       {L"C:\\w"}},
      {"an offset of -1", DropFiles(0xffffffff, true, one_name), {}},
      {"an offset inside the header", DropFiles(4, true, one_name), {}},
      {"a block shorter than the header", std::string(8, '\0'), {}},
      {"an empty block", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(FilesOf({{CF_HDROP, c.block}}), c.files) << c.what;
}

// What the list's drag offers reads back the same on the receiving side, the
// 8-bit copy alone too; only text and file lists are taken.
TEST(DragSourceTest, TextReadsBackAsMadeAndOnlyTextAndFileListsAreTaken) {
  const std::wstring line = L"关键字:C:\\Program Files\\应用.exe";
  EXPECT_EQ(TextOf(TextBlocks(line)), line);
  EXPECT_EQ(TextOf({TextBlocks(L"plain:C:\\x.exe").back()}), L"plain:C:\\x.exe");
  EXPECT_TRUE(OffersDropData(NewMemoryDataObject({{CF_HDROP, ""}}).get()));
  EXPECT_FALSE(OffersDropData(NewMemoryDataObject({{CF_BITMAP, "x"}}).get()));
}

}  // namespace
}  // namespace quillet
