#include "platform/win32/win32_drop_data.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/drag_source.h"
#include "tests/windows/file_list_block.h"

namespace quillet {
namespace {

std::string Bytes(const void* data, std::size_t size) { return std::string(static_cast<const char*>(data), size); }
std::string WideBytes(const std::wstring& text) { return Bytes(text.data(), text.size() * sizeof(wchar_t)); }

// A DROPFILES header pointing at `offset`, followed by `names` as they are.
std::string DropFiles(DWORD offset, bool wide, const std::string& names) {
  DROPFILES header{};
  header.pFiles = offset;
  header.fWide = wide ? TRUE : FALSE;
  return Bytes(&header, sizeof header) + names;
}

using Blocks = std::vector<ClipboardBlock>;
using Files = std::vector<std::wstring>;

// What the receiving side reads from a data object that offers exactly these
// blocks, each in memory of exactly its size.
template <class Read>
auto ReadFrom(Blocks blocks, Read read) {
  const ComPtr<IDataObject> object = NewMemoryDataObject(std::move(blocks));
  return read(object.get());
}
std::optional<std::wstring> TextOf(Blocks blocks) {
  return ReadFrom(std::move(blocks), [](IDataObject* o) { return Win32DropData(o).Text(); });
}
Files FilesOf(Blocks blocks) {
  return ReadFrom(std::move(blocks), [](IDataObject* o) { return Win32DropData(o).Files(); });
}

// An 8-bit text and what it means in the ANSI code page, when the test knows it.
bool KnownAnsiSample(std::string& bytes, std::wstring& text) {
  switch (::GetACP()) {
    case 936: bytes = "\xD6\xD0\xCE\xC4 a", text = L"中文 a"; return true;
    case 1252: bytes = "caf\xE9", text = L"café"; return true;
    default: return false;
  }
}

TEST(DropDataTest, TextIsUnicodeFirstAndReadNoFurtherThanItsBlockAndItsFirstNul) {
  std::string big(10 * 1024 * 1024, 'x');  // ten megabytes arrive whole
  for (std::size_t i = 0; i < big.size(); i += 4099) big[i] = static_cast<char>('a' + i % 26);
  const std::wstring wide_big(big.begin(), big.end());
  const struct {
    Blocks blocks;
    std::optional<std::wstring> text;
  } cases[] = {
      {{{CF_UNICODETEXT, WideBytes(std::wstring(L"宽字符 wide") + L'\0')}, {CF_TEXT, std::string("narrow\0", 7)}},
       L"宽字符 wide"},
      {{{CF_TEXT, "abc"}}, L"abc"},  // no terminating NUL
      {{{CF_UNICODETEXT, WideBytes(L"xyz")}}, L"xyz"},
      {{{CF_UNICODETEXT, WideBytes(L"xy") + "z"}}, L"xy"},  // an odd last byte is half a character
      {{{CF_TEXT, std::string("ab\0cd", 5)}}, L"ab"},
      {{{CF_UNICODETEXT, WideBytes(std::wstring(L"ab\0cd", 5))}}, L"ab"},
      {{{CF_UNICODETEXT, WideBytes(std::wstring(1, L'\0'))}}, L""},  // empty text is text
      {{{CF_TEXT, std::string(1, '\0')}}, L""},
      {{{CF_HDROP, DropFiles(sizeof(DROPFILES), true, WideBytes(std::wstring(2, L'\0')))}}, std::nullopt},
      {{{CF_TEXT, big + 'Z'}}, wide_big + L'Z'},
      {{{CF_UNICODETEXT, WideBytes(wide_big) + std::string(2, '\0')}}, wide_big},
  };
  for (const auto& c : cases) EXPECT_TRUE(TextOf(c.blocks) == c.text) << c.blocks.front().bytes.substr(0, 40);
  std::string bytes;
  std::wstring text;
  if (KnownAnsiSample(bytes, text)) {  // 8-bit text is in the ANSI code page
    EXPECT_EQ(TextOf({{CF_TEXT, bytes + '\0'}}), text);
  }
}

TEST(DropDataTest, FileListsGiveTheirNamesInOrderAndDamagedOnesNoneBeyondTheBlock) {
  const std::string one_name = WideBytes(std::wstring(L"C:\\f\0\0", 6));
  const struct {
    const char* what;
    std::string block;
    Files files;
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
      {"an empty list", DropFiles(sizeof(DROPFILES), true, WideBytes(std::wstring(2, L'\0'))), {}},
      {"a header alone", DropFiles(sizeof(DROPFILES), true, ""), {}},
      {"an offset just past the block", DropFiles(sizeof(DROPFILES) + 12, true, one_name), {}},
      {"an offset far past the block", DropFiles(0x7fffff00, true, one_name), {}},
      {"an offset of -1", DropFiles(0xffffffff, true, one_name), {}},
      {"an offset inside the header", DropFiles(4, true, one_name), {}},
      {"a block shorter than the header", std::string(8, '\0'), {}},
      {"an empty block", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(FilesOf({{CF_HDROP, c.block}}), c.files) << c.what;
}

// What the list's drag offers reads back the same on the receiving side.
TEST(DragSourceTest, TextAndFileListsReadBackAsMade) {
  const std::wstring line = L"关键字:C:\\Program Files\\应用.exe";
  EXPECT_EQ(TextOf(TextBlocks(line)), line);
  Blocks blocks = TextBlocks(L"plain:C:\\x.exe");  // the 8-bit copy alone
  blocks.erase(blocks.begin());
  EXPECT_EQ(TextOf(blocks), L"plain:C:\\x.exe");
  const Files paths{L"C:\\a b\\第一.txt", L"D:\\two"};  // the file list the journeys drop
  EXPECT_EQ(FilesOf({FileListBlock(paths)}), paths);
  const auto offers = [](IDataObject* o) { return OffersDropData(o); };  // only text and file lists are taken
  EXPECT_TRUE(ReadFrom({{CF_TEXT, "x"}}, offers) && ReadFrom({FileListBlock(paths)}, offers));
  EXPECT_FALSE(ReadFrom({{CF_BITMAP, "x"}}, offers));
}

}  // namespace
}  // namespace quillet
