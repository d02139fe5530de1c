#include "platform/win32/win32_file_port.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"
#include "tests/windows/temp_folder.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using test::ReadDirectly;
using test::WriteDirectly;
using Names = std::vector<std::wstring>;

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

// Each test in a fresh folder.
class Win32FilePortTest : public ::testing::Test {
 protected:
  // The names in a folder, sorted.
  static Names Listing(const std::wstring& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempFolder temp_;
  const std::wstring folder_ = temp_.path, target_ = folder_ + L"\\data.txt";
  Win32FilePort port_;
};

// Reads are byte for byte; a name that isn't there is missing, a folder of the
// name unreadable. Replacing creates, grows and shrinks the file (several write
// chunks, names outside the ANSI code page) and leaves no temporary file; a
// hidden file stays hidden, and a read-only leftover of a crash is no obstacle.
TEST_F(Win32FilePortTest, ReadsAndReplacesEveryByteAndLeavesNothingElse) {
  const std::string bytes("a\r\nb\n\0\x1A\xD6\xD0\r", 10);
  WriteDirectly(target_, bytes);
  EXPECT_EQ(port_.ReadAll(target_).bytes, bytes);
  EXPECT_EQ(port_.ReadAll(folder_ + L"\\no such folder\\data.txt").kind, ReadOutcome::Kind::kMissing);
  const ReadOutcome folder = port_.ReadAll(folder_);
  EXPECT_TRUE(folder.kind == ReadOutcome::Kind::kFailed && !folder.message.empty());

  const std::wstring named = folder_ + L"\\词条 한국어 ü", file = named + L"\\数据.txt";
  ASSERT_TRUE(::CreateDirectoryW(named.c_str(), nullptr));
  for (const std::string& bytes : {std::string("first\r\n"), std::string(3 * kWriteChunk + 5, 'x'), std::string()}) {
    ASSERT_TRUE(port_.ReplaceAll(file, bytes));
    EXPECT_TRUE(ReadDirectly(file) == bytes) << bytes.size();
    if (bytes.empty()) continue;
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteDirectly(TempPathFor(file), "half-written leftover of a crashed save");
    ASSERT_TRUE(::SetFileAttributesW(TempPathFor(file).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  }
  EXPECT_TRUE(Attributes(file) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Listing(named), Names{L"数据.txt"});
}

// A read-only file, a file another program holds, a folder of the name: the
// bytes stay and the error is named.
TEST_F(Win32FilePortTest, ATargetThatCantBeReplacedKeepsItsBytesAndSaysWhy) {
  WriteDirectly(target_, "read-only");
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(port_.ReplaceAll(target_, "changed").message, SystemErrorMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(port_.ReadAll(target_).bytes, "read-only");  // reading it is fine
  EXPECT_TRUE(Attributes(target_) & FILE_ATTRIBUTE_READONLY);
  const std::wstring locked = folder_ + L"\\locked.txt";
  WriteDirectly(locked, "locked");
  {
    FileHandle lock(::CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_EQ(port_.ReadAll(locked).message, SystemErrorMessage(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(port_.ReplaceAll(locked, "changed").message.empty());
  }
  EXPECT_EQ(ReadDirectly(locked), "locked");
  ASSERT_TRUE(::CreateDirectoryW((folder_ + L"\\folder.txt").c_str(), nullptr));
  EXPECT_FALSE(port_.ReplaceAll(folder_ + L"\\folder.txt", "changed").message.empty());
  EXPECT_EQ(Listing(folder_), (Names{L"data.txt", L"folder.txt", L"locked.txt"}));
}

// Where the temporary file can't be made (a folder of its name stands there)
// a writable file is rewritten in place, longer and shorter, and stays hidden.
TEST_F(Win32FilePortTest, WhereTheTemporaryFileCantBeMadeAWritableFileIsRewrittenInPlace) {
  ASSERT_TRUE(::CreateDirectoryW(TempPathFor(target_).c_str(), nullptr));
  WriteDirectly(target_, "old");
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_HIDDEN));
  for (const std::string& bytes : {std::string(3 * kWriteChunk + 5, 'x'), std::string("short")}) {
    const IoStatus saved = port_.ReplaceAll(target_, bytes);
    ASSERT_TRUE(saved) << saved.message;
    EXPECT_TRUE(ReadDirectly(target_) == bytes) << bytes.size();
  }
  EXPECT_TRUE(Attributes(target_) & FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_READONLY));  // refused with the folder's reason
  EXPECT_EQ(port_.ReplaceAll(target_, "new").message, SystemErrorMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadDirectly(target_), "short");
}

FILETIME LastWrite(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// Every name of a file with several sees the saved bytes. The probe of a
// save changes no file and leaves nothing behind.
TEST_F(Win32FilePortTest, AFileOfSeveralNamesKeepsThemAndTheProbeLeavesNoTrace) {
  WriteDirectly(target_, "old");
  const FILETIME written = LastWrite(target_);
  ASSERT_TRUE(port_.ProbeWritable(target_));
  EXPECT_EQ(Listing(folder_), Names{L"data.txt"});
  const FILETIME after = LastWrite(target_);
  EXPECT_EQ(::CompareFileTime(&written, &after), 0);
  EXPECT_FALSE(port_.ProbeWritable(folder_ + L"\\no such folder\\data.txt").message.empty());

  const std::wstring other = folder_ + L"\\other.txt";
  ASSERT_TRUE(::CreateHardLinkW(other.c_str(), target_.c_str(), nullptr));
  ASSERT_TRUE(port_.ProbeWritable(target_));
  ASSERT_TRUE(port_.ReplaceAll(target_, "new"));
  EXPECT_EQ(ReadDirectly(other), "new");
  EXPECT_EQ(ReadDirectly(target_), "new");
  EXPECT_EQ(Listing(folder_), (Names{L"data.txt", L"other.txt"}));
}

// The DACL of a file in SDDL, or what went wrong.
std::wstring DaclOf(const std::wstring& path) {
  DWORD needed = 0;
  ::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
  std::vector<BYTE> descriptor(needed ? needed : 1);
  LocalMemory<wchar_t> text;
  if (!::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed) ||
      !::ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor.data(), SDDL_REVISION_1,
                                                              DACL_SECURITY_INFORMATION, text.out(), nullptr)) {
    return L"<unreadable>";
  }
  return text.get();
}

TEST_F(Win32FilePortTest, TheNewFileKeepsTheOldOnesPermissionsAndAttributes) {
  WriteDirectly(target_, "old");
  LocalMemory<void> wanted;  // permissions no new file in this folder would get by itself
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)(A;;FR;;;BU)", SDDL_REVISION_1,
                                                                     wanted.out(), nullptr));
  ASSERT_TRUE(::SetFileSecurityW(target_.c_str(), DACL_SECURITY_INFORMATION, wanted.get()));
  const std::wstring dacl = DaclOf(target_);
  WriteDirectly(folder_ + L"\\fresh.txt", "");
  ASSERT_NE(dacl, DaclOf(folder_ + L"\\fresh.txt")) << "a new file gets these permissions anyway";
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
  const DWORD attributes = Attributes(target_);  // what the file system kept (Wine drops the indexing one)

  ASSERT_TRUE(port_.ReplaceAll(target_, "new"));
  EXPECT_EQ(ReadDirectly(target_), "new");
  EXPECT_EQ(DaclOf(target_), dacl);
  EXPECT_EQ(Attributes(target_),
            attributes | FILE_ATTRIBUTE_ARCHIVE);  // the archive bit tells backups the bytes changed
}

TEST(Win32FilePortMemory, AFileLargerThanTheMemoryFailsToReadWithoutCrashing) {
  // A sparse file larger than any address space. Under Wine a memory-backed
  // folder holds one without a byte written; elsewhere the test has no place.
  const std::wstring path = L"Z:\\dev\\shm\\quillet-huge-" + std::to_wstring(::GetCurrentProcessId());
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                                FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  LARGE_INTEGER huge{};
  huge.QuadPart = 1LL << 50;
  if (!file || !::SetFilePointerEx(file.get(), huge, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.get())) {
    GTEST_SKIP() << "no file that large here: " << SystemErrorMessage(::GetLastError());
  }
  EXPECT_EQ(Win32FilePort().ReadAll(path).message, SystemErrorMessage(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(Win32FilePortErrors, ErrorsAreNamedWithTheirNumber) {
  const std::wstring denied = SystemErrorMessage(ERROR_ACCESS_DENIED);
  EXPECT_TRUE(denied.find(L"(5)") != std::wstring::npos && denied.find_first_of(L"\r\n") == std::wstring::npos);
  // A code the system has no text for still gives a message with its number.
  EXPECT_NE(SystemErrorMessage(0x2FFFFFFF).find(std::to_wstring(0x2FFFFFFF)), std::wstring::npos);
}

}  // namespace
}  // namespace quillet
