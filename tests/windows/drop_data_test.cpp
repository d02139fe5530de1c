#include "platform/win32/drop_data_win32.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/drag_source.h"

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

// Frees the block of one handed-out medium when ReleaseStgMedium is called on
// it, and counts that.
class MediumRelease final : public IUnknown {
 public:
  MediumRelease(HGLOBAL memory, int& released) : memory_(memory), released_(released) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    if (--references_ > 0) return references_;
    ::GlobalFree(memory_);
    ++released_;
    delete this;
    return 0;
  }

 private:
  HGLOBAL memory_;
  int& released_;
  ULONG references_ = 1;
};

// A data object made by hand: each format's block holds exactly the bytes
// given (GlobalSize is checked), or every call fails.
class FakeDataObject final : public IDataObject {
 public:
  explicit FakeDataObject(std::map<CLIPFORMAT, std::string> blocks, bool fail_all = false)
      : blocks_(std::move(blocks)), fail_all_(fail_all) {}
  ~FakeDataObject() { EXPECT_EQ(handed_out_, released_) << "a storage medium was not released"; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (fail_all_) return E_FAIL;
    const auto found = blocks_.find(format->cfFormat);
    if (found == blocks_.end() || (format->tymed & TYMED_HGLOBAL) == 0) return DV_E_FORMATETC;
    const std::string& bytes = found->second;
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr) return E_OUTOFMEMORY;
    EXPECT_EQ(::GlobalSize(memory), bytes.size()) << "the block is not exactly as long as asked";
    if (!bytes.empty()) {
      std::memcpy(::GlobalLock(memory), bytes.data(), bytes.size());
      ::GlobalUnlock(memory);
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = new MediumRelease(memory, released_);
    ++handed_out_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    if (fail_all_) return E_FAIL;
    return blocks_.count(format->cfFormat) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_FAIL; }

 private:
  std::map<CLIPFORMAT, std::string> blocks_;
  bool fail_all_;
  int handed_out_ = 0;
  int released_ = 0;
};

// An 8-bit text and what it means in the ANSI code page, when the test knows it.
struct AnsiSample {
  std::string bytes;
  std::wstring text;
};
bool KnownAnsiSample(AnsiSample& sample) {
  switch (::GetACP()) {
    case 936: sample = {"\xD6\xD0\xCE\xC4 a", L"中文 a"}; return true;
    case 1252: sample = {"caf\xE9", L"café"}; return true;
    default: return false;
  }
}

TEST(DropDataText, UnicodeTextIsPreferredOverAnsiText) {
  FakeDataObject object({{CF_UNICODETEXT, WideBytes(std::wstring(L"宽字符 wide") + L'\0')},
                         {CF_TEXT, std::string("narrow") + '\0'}});
  EXPECT_EQ(Win32DropData(&object).Text(), L"宽字符 wide");
}

TEST(DropDataText, AnsiTextComesFromTheAnsiCodePage) {
  AnsiSample sample;
  if (!KnownAnsiSample(sample)) GTEST_SKIP() << "no sample for code page " << ::GetACP();
  FakeDataObject object({{CF_TEXT, sample.bytes + '\0'}});
  EXPECT_EQ(Win32DropData(&object).Text(), sample.text);
}

TEST(DropDataText, ReadsNoFurtherThanTheBlockAndStopsAtTheFirstNul) {
  {
    FakeDataObject object({{CF_TEXT, "abc"}});  // no terminating NUL
    EXPECT_EQ(Win32DropData(&object).Text(), L"abc");
  }
  {
    FakeDataObject object({{CF_UNICODETEXT, WideBytes(L"xyz")}});
    EXPECT_EQ(Win32DropData(&object).Text(), L"xyz");
  }
  {
    // An odd last byte is half a character: left out.
    FakeDataObject object({{CF_UNICODETEXT, WideBytes(L"xy") + "z"}});
    EXPECT_EQ(Win32DropData(&object).Text(), L"xy");
  }
  {
    FakeDataObject object({{CF_TEXT, std::string("ab\0cd", 5)}});
    EXPECT_EQ(Win32DropData(&object).Text(), L"ab");
  }
  {
    FakeDataObject object({{CF_UNICODETEXT, WideBytes(std::wstring(L"ab\0cd", 5))}});
    EXPECT_EQ(Win32DropData(&object).Text(), L"ab");
  }
}

TEST(DropDataText, EmptyTextIsTextAndMissingTextIsNone) {
  {
    FakeDataObject object({{CF_UNICODETEXT, WideBytes(std::wstring(1, L'\0'))}});
    EXPECT_EQ(Win32DropData(&object).Text(), std::wstring());
  }
  {
    FakeDataObject object({{CF_TEXT, std::string(1, '\0')}});
    EXPECT_EQ(Win32DropData(&object).Text(), std::wstring());
  }
  {
    FakeDataObject object({{CF_HDROP, DropFiles(sizeof(DROPFILES), true, WideBytes(std::wstring(2, L'\0')))}});
    EXPECT_EQ(Win32DropData(&object).Text(), std::nullopt);
  }
}

TEST(DropDataText, TenMegabytesArriveWhole) {
  constexpr std::size_t kSize = 10 * 1024 * 1024;
  std::string ansi(kSize, 'x');
  for (std::size_t i = 0; i < kSize; i += 4099) ansi[i] = static_cast<char>('a' + i % 26);
  ansi.back() = 'Z';
  {
    FakeDataObject object({{CF_TEXT, ansi}});
    const auto text = Win32DropData(&object).Text();
    ASSERT_TRUE(text.has_value());
    ASSERT_EQ(text->size(), kSize);
    EXPECT_TRUE(std::equal(ansi.begin(), ansi.end(), text->begin()));
  }
  {
    const std::wstring wide(ansi.begin(), ansi.end());
    FakeDataObject object({{CF_UNICODETEXT, WideBytes(wide) + std::string(2, '\0')}});
    EXPECT_EQ(Win32DropData(&object).Text(), wide);
  }
}

TEST(DropDataFiles, ListsWideAndAnsiNamesInOrder) {
  const std::vector<std::wstring> wide{L"C:\\a b\\第一.txt", L"D:\\x.exe", L"\\\\server\\share\\z"};
  {
    std::wstring names;
    for (const auto& name : wide) names += name + L'\0';
    names += L'\0';
    FakeDataObject object({{CF_HDROP, DropFiles(sizeof(DROPFILES), true, WideBytes(names))}});
    EXPECT_EQ(Win32DropData(&object).Files(), wide);
  }
  {
    FakeDataObject object({{CF_HDROP, DropFiles(sizeof(DROPFILES), false, std::string("C:\\one\0D:\\two\0E:\\3\0\0", 20))}});
    EXPECT_EQ(Win32DropData(&object).Files(), (std::vector<std::wstring>{L"C:\\one", L"D:\\two", L"E:\\3"}));
  }
  AnsiSample sample;
  if (KnownAnsiSample(sample)) {
    FakeDataObject object({{CF_HDROP, DropFiles(sizeof(DROPFILES), false, "C:\\" + sample.bytes + '\0' + '\0')}});
    EXPECT_EQ(Win32DropData(&object).Files(), std::vector<std::wstring>{L"C:\\" + sample.text});
  }
}

TEST(DropDataFiles, TheOffsetIsWhereTheNamesStart) {
  // A source may put something between the header and the names.
  const std::string names = WideBytes(std::wstring(L"C:\\later\0\0", 10));
  FakeDataObject object({{CF_HDROP, DropFiles(sizeof(DROPFILES) + 6, true, std::string(6, '\x7f') + names)}});
  EXPECT_EQ(Win32DropData(&object).Files(), std::vector<std::wstring>{L"C:\\later"});
}

TEST(DropDataFiles, EmptyOrDamagedListsGiveNoFiles) {
  const std::string two_nuls = WideBytes(std::wstring(2, L'\0'));
  const std::string one_name = WideBytes(std::wstring(L"C:\\f\0\0", 6));
  const struct {
    const char* what;
    std::string block;
  } cases[] = {
      {"an empty list", DropFiles(sizeof(DROPFILES), true, two_nuls)},
      {"a header and nothing after it", DropFiles(sizeof(DROPFILES), true, "")},
      {"an offset just past the block", DropFiles(sizeof(DROPFILES) + 12, true, one_name)},
      {"an offset far past the block", DropFiles(0x7fffff00, true, one_name)},
      {"an offset of -1", DropFiles(0xffffffff, true, one_name)},
      {"an offset inside the header", DropFiles(4, true, one_name)},
      {"a block shorter than the header", std::string(8, '\0')},
      {"an empty block", ""},
  };
  for (const auto& c : cases) {
    FakeDataObject object({{CF_HDROP, c.block}});
    EXPECT_TRUE(Win32DropData(&object).Files().empty()) << c.what;
  }
}

TEST(DropDataFiles, ANameTheBlockEndsInsideIsLeftOut) {
  {
    FakeDataObject object({{CF_HDROP, DropFiles(sizeof(DROPFILES), true, WideBytes(std::wstring(L"C:\\whole\0C:\\cu", 14)))}});
    EXPECT_EQ(Win32DropData(&object).Files(), std::vector<std::wstring>{L"C:\\whole"});
  }
  {
    FakeDataObject object({{CF_HDROP, DropFiles(sizeof(DROPFILES), false, std::string("C:\\whole\0C:\\cu", 14))}});
    EXPECT_EQ(Win32DropData(&object).Files(), std::vector<std::wstring>{L"C:\\whole"});
  }
}

TEST(DropDataSource, AnObjectThatFailsEveryCallOffersNothing) {
  FakeDataObject object({{CF_UNICODETEXT, WideBytes(L"x")}, {CF_HDROP, DropFiles(20, true, "")}}, /*fail_all=*/true);
  const Win32DropData data(&object);
  EXPECT_EQ(data.Text(), std::nullopt);
  EXPECT_TRUE(data.Files().empty());
  EXPECT_FALSE(OffersDropData(&object));
}

TEST(DropDataSource, OffersOnlyTextAndFileLists) {
  FakeDataObject bitmap({{CF_BITMAP, "x"}});
  EXPECT_FALSE(OffersDropData(&bitmap));
  FakeDataObject text({{CF_TEXT, "x"}});
  EXPECT_TRUE(OffersDropData(&text));
  EXPECT_TRUE(Win32DropData(&text).Files().empty());
  FakeDataObject files({{CF_HDROP, DropFiles(20, true, "")}});
  EXPECT_TRUE(OffersDropData(&files));
}

// What the list's drag offers reads back the same on the receiving side.
TEST(DragSourceData, TextAndFileListsReadBackAsMade) {
  const std::wstring line = L"关键字:C:\\Program Files\\应用.exe";
  {
    IDataObject* object = NewMemoryDataObject(TextBlocks(line));
    EXPECT_TRUE(OffersDropData(object));
    EXPECT_EQ(Win32DropData(object).Text(), line);
    EXPECT_TRUE(Win32DropData(object).Files().empty());
    object->Release();
  }
  {
    // The 8-bit copy alone, as a program reading only CF_TEXT sees it.
    std::vector<ClipboardBlock> blocks = TextBlocks(L"plain:C:\\x.exe");
    blocks.erase(blocks.begin());
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].format, CF_TEXT);
    IDataObject* object = NewMemoryDataObject(std::move(blocks));
    EXPECT_EQ(Win32DropData(object).Text(), L"plain:C:\\x.exe");
    object->Release();
  }
  const std::vector<std::vector<std::wstring>> lists{{}, {L"C:\\one"}, {L"C:\\a b\\第一.txt", L"D:\\two", L"E:\\3"}};
  for (const auto& paths : lists) {
    IDataObject* object = NewMemoryDataObject({FileListBlock(paths)});
    EXPECT_EQ(Win32DropData(object).Files(), paths);
    EXPECT_EQ(Win32DropData(object).Text(), std::nullopt);
    object->Release();
  }
}

}  // namespace
}  // namespace quillet
