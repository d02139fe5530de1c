#include "platform/win32/win32_file_port.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"

namespace quillet {
namespace {

// A fresh folder under the temporary directory, removed with its files at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& label) {
    wchar_t base[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, base);
    path_ = std::wstring(base, length) + label + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(counter_++);
    created_ = ::CreateDirectoryW(path_.c_str(), nullptr) != FALSE;
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool created() const { return created_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

  // The names in the folder, sorted by the system.
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((path_ + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
  }

 private:
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path);
        } else {
          ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          ::DeleteFileW(path.c_str());
        }
      } while (::FindNextFileW(find, &data));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
  }

  static inline int counter_ = 0;
  std::wstring path_;
  bool created_ = false;
};

// Writes a file directly, without the code under test.
void WriteDirectly(const std::wstring& path, const std::string& bytes) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << SystemErrorMessage(::GetLastError());
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
}

// Reads a file directly, without the code under test; "<unreadable>" when it can't.
std::string ReadDirectly(const std::wstring& path) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return "<unreadable>";
  std::string bytes;
  char buffer[1 << 16];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  unsigned state = 12345;
  for (char& c : bytes) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 23);
  }
  return bytes;
}

class Win32FilePortTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.created()); }

  TempFolder folder_{L"quillet-port"};
  std::wstring target_ = folder_ / L"data.txt";
  Win32FilePort port_;
};

TEST_F(Win32FilePortTest, ReadingGivesEveryByteUntranslated) {
  const std::string bytes = std::string("a\r\nb\n\0\x1A\xD6\xD0\r", 10);
  WriteDirectly(target_, bytes);
  const ReadOutcome read = port_.ReadAll(target_);
  ASSERT_EQ(read.kind, ReadOutcome::Kind::kOk) << read.message;
  EXPECT_EQ(read.bytes, bytes);

  WriteDirectly(target_, "");
  const ReadOutcome empty = port_.ReadAll(target_);
  EXPECT_EQ(empty.kind, ReadOutcome::Kind::kOk);
  EXPECT_EQ(empty.bytes, "");
}

TEST_F(Win32FilePortTest, AFileOrFolderThatIsNotThereReadsAsMissing) {
  EXPECT_EQ(port_.ReadAll(target_).kind, ReadOutcome::Kind::kMissing);
  EXPECT_EQ(port_.ReadAll(folder_ / L"no such folder\\data.txt").kind, ReadOutcome::Kind::kMissing);
}

TEST_F(Win32FilePortTest, AFolderInTheFilesPlaceFailsWithAMessage) {
  ASSERT_TRUE(::CreateDirectoryW(target_.c_str(), nullptr));
  const ReadOutcome read = port_.ReadAll(target_);
  EXPECT_EQ(read.kind, ReadOutcome::Kind::kFailed);
  EXPECT_FALSE(read.message.empty());

  const IoStatus saved = port_.ReplaceAll(target_, "x");
  EXPECT_FALSE(saved);
  EXPECT_FALSE(saved.message.empty());
  EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"data.txt"});
}

TEST_F(Win32FilePortTest, ReplacingCreatesOrOverwritesAndLeavesNoTemporaryFile) {
  ASSERT_TRUE(port_.ReplaceAll(target_, "first version, the longer one\r\n"));
  EXPECT_EQ(ReadDirectly(target_), "first version, the longer one\r\n");

  ASSERT_TRUE(port_.ReplaceAll(target_, "second\r\n"));
  EXPECT_EQ(ReadDirectly(target_), "second\r\n");

  ASSERT_TRUE(port_.ReplaceAll(target_, ""));
  EXPECT_EQ(ReadDirectly(target_), "");
  EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"data.txt"});
}

TEST_F(Win32FilePortTest, NamesOutsideTheAnsiCodePageWork) {
  const std::wstring folder = folder_ / L"词条 한국어 ü";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring target = folder + L"\\数据 文件.txt";
  ASSERT_TRUE(port_.ReplaceAll(target, "\xD6\xD0"));
  ASSERT_TRUE(port_.ReplaceAll(target, "\xCE\xC4"));
  const ReadOutcome read = port_.ReadAll(target);
  ASSERT_EQ(read.kind, ReadOutcome::Kind::kOk);
  EXPECT_EQ(read.bytes, "\xCE\xC4");
}

TEST_F(Win32FilePortTest, LargeContentRoundTrips) {
  // Several write chunks, and a size that is no multiple of any of them.
  const std::string bytes = Pattern(5 * 1024 * 1024 + 17);
  ASSERT_TRUE(port_.ReplaceAll(target_, bytes));
  const ReadOutcome read = port_.ReadAll(target_);
  ASSERT_EQ(read.kind, ReadOutcome::Kind::kOk);
  EXPECT_TRUE(read.bytes == bytes) << "read " << read.bytes.size() << " of " << bytes.size() << " bytes";
}

TEST_F(Win32FilePortTest, AReadOnlyTargetMakesTheSaveFailAndStaysAsItWas) {
  WriteDirectly(target_, "protected");
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_READONLY));

  const IoStatus saved = port_.ReplaceAll(target_, "overwritten");
  EXPECT_FALSE(saved);
  EXPECT_FALSE(saved.message.empty());
  EXPECT_EQ(ReadDirectly(target_), "protected");
  EXPECT_TRUE(::GetFileAttributesW(target_.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"data.txt"});
  // Reading a protected file is fine.
  EXPECT_EQ(port_.ReadAll(target_).bytes, "protected");
}

TEST_F(Win32FilePortTest, ATargetLockedByAnotherProgramFailsBothWaysAndKeepsItsBytes) {
  WriteDirectly(target_, "locked");
  {
    FileHandle lock(::CreateFileW(target_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);

    const ReadOutcome read = port_.ReadAll(target_);
    EXPECT_EQ(read.kind, ReadOutcome::Kind::kFailed);
    EXPECT_FALSE(read.message.empty());

    const IoStatus saved = port_.ReplaceAll(target_, "changed");
    EXPECT_FALSE(saved);
    EXPECT_FALSE(saved.message.empty());
    EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"data.txt"});
  }
  EXPECT_EQ(ReadDirectly(target_), "locked");
}

TEST_F(Win32FilePortTest, AHiddenTargetIsReplacedAndStaysHidden) {
  WriteDirectly(target_, "old");
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(port_.ReplaceAll(target_, "new"));
  EXPECT_EQ(ReadDirectly(target_), "new");
  EXPECT_TRUE(::GetFileAttributesW(target_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"data.txt"});
}

TEST_F(Win32FilePortTest, ALeftoverTemporaryFileDoesNotBreakTheNextSave) {
  WriteDirectly(target_, "old");
  const std::wstring leftover = TempPathFor(target_);
  WriteDirectly(leftover, "half-written leftover of a crashed save, longer than the new text");
  ASSERT_TRUE(::SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));

  ASSERT_TRUE(port_.ReplaceAll(target_, "new"));
  EXPECT_EQ(ReadDirectly(target_), "new");
  EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"data.txt"});
}

TEST_F(Win32FilePortTest, WhereTheTemporaryFileCantBeMadeAWritableFileIsRewrittenInPlace) {
  // The temporary file cannot be created where a folder of its name stands.
  ASSERT_TRUE(::CreateDirectoryW(TempPathFor(target_).c_str(), nullptr));
  const std::vector<std::wstring> names{L"data.txt", L"data.txt.saving"};
  WriteDirectly(target_, "old");
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_HIDDEN));

  const std::string longer = Pattern(3 * kWriteChunk + 5);
  for (const std::string& bytes : {longer, std::string("short")}) {
    const IoStatus saved = port_.ReplaceAll(target_, bytes);
    ASSERT_TRUE(saved) << saved.message;
    EXPECT_TRUE(ReadDirectly(target_) == bytes) << bytes.size();
    EXPECT_EQ(folder_.Names(), names);
  }
  EXPECT_TRUE(::GetFileAttributesW(target_.c_str()) & FILE_ATTRIBUTE_HIDDEN);

  // A read-only file is refused this way too, with the folder's reason.
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_READONLY));
  const IoStatus refused = port_.ReplaceAll(target_, "new");
  EXPECT_FALSE(refused);
  EXPECT_EQ(refused.message, SystemErrorMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadDirectly(target_), "short");
  EXPECT_TRUE(::GetFileAttributesW(target_.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(folder_.Names(), names);
}

// The DACL of a file in SDDL, or what went wrong.
std::wstring DaclOf(const std::wstring& path) {
  DWORD needed = 0;
  ::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
  std::vector<BYTE> descriptor(needed ? needed : 1);
  if (!::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed)) {
    return L"<unreadable: " + SystemErrorMessage(::GetLastError()) + L">";
  }
  LocalMemory<wchar_t> text;
  if (!::ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor.data(), SDDL_REVISION_1,
                                                              DACL_SECURITY_INFORMATION, text.out(), nullptr)) {
    return L"<unconvertible>";
  }
  return text.get();
}

unsigned long long Ticks(const FILETIME& time) {
  return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

unsigned long long CreationTimeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return Ticks(data.ftCreationTime);
}

TEST_F(Win32FilePortTest, TheNewFileKeepsTheOldOnesPermissionsAttributesAndCreationTime) {
  WriteDirectly(target_, "old");
  // Permissions no new file in this folder would get by itself.
  LocalMemory<void> wanted;
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)(A;;FR;;;BU)", SDDL_REVISION_1,
                                                                     wanted.out(), nullptr));
  ASSERT_TRUE(::SetFileSecurityW(target_.c_str(), DACL_SECURITY_INFORMATION, wanted.get()))
      << SystemErrorMessage(::GetLastError());
  const std::wstring dacl = DaclOf(target_);
  ASSERT_NE(dacl, DaclOf(folder_ / L"fresh.txt")) << "a new file gets these permissions anyway";

  SYSTEMTIME long_ago{2001, 2, 0, 3, 4, 5, 6, 0};
  FILETIME born{};
  ASSERT_TRUE(::SystemTimeToFileTime(&long_ago, &born));
  {
    FileHandle file(::CreateFileW(target_.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file && ::SetFileTime(file.get(), &born, nullptr, nullptr));
  }
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
  // What the file system kept of them (Wine keeps neither the creation time nor
  // the indexing attribute).
  const DWORD attributes = ::GetFileAttributesW(target_.c_str());
  const unsigned long long created = CreationTimeOf(target_);

  ASSERT_TRUE(port_.ReplaceAll(target_, "new"));
  EXPECT_EQ(ReadDirectly(target_), "new");
  EXPECT_EQ(DaclOf(target_), dacl);
  // The archive attribute tells backups that the bytes changed.
  EXPECT_EQ(::GetFileAttributesW(target_.c_str()), attributes | FILE_ATTRIBUTE_ARCHIVE);
  if (created == Ticks(born)) {
    EXPECT_EQ(CreationTimeOf(target_), created);
  }
  EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"data.txt"});
}

TEST_F(Win32FilePortTest, ALinkIsWrittenThroughToItsTarget) {
  const std::wstring elsewhere = folder_ / L"elsewhere";
  ASSERT_TRUE(::CreateDirectoryW(elsewhere.c_str(), nullptr));
  const std::wstring real = elsewhere + L"\\real.txt";
  WriteDirectly(real, "old");
  // Wine 8 reports success without making a link.
  const BOOL made = ::CreateSymbolicLinkW(target_.c_str(), real.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  const DWORD link_attributes = ::GetFileAttributesW(target_.c_str());
  if (!made || link_attributes == INVALID_FILE_ATTRIBUTES || !(link_attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    GTEST_SKIP() << "no symbolic links here";
  }
  ASSERT_TRUE(port_.ReplaceAll(target_, "new"));
  EXPECT_EQ(ReadDirectly(real), "new");
  EXPECT_TRUE(::GetFileAttributesW(target_.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
  EXPECT_EQ(folder_.Names(), (std::vector<std::wstring>{L"data.txt", L"elsewhere"}));
}

TEST(Win32FilePortMemory, AFileLargerThanTheMemoryFailsToReadWithoutCrashing) {
  // A sparse file larger than any address space. Under Wine a memory-backed
  // folder holds one without a byte written; elsewhere the test has no place.
  const std::wstring path = L"Z:\\dev\\shm\\quillet-huge-" + std::to_wstring(::GetCurrentProcessId());
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (!file) GTEST_SKIP() << "no memory-backed folder: " << SystemErrorMessage(::GetLastError());
  LARGE_INTEGER huge{};
  huge.QuadPart = 1LL << 50;
  if (!::SetFilePointerEx(file.get(), huge, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.get())) {
    GTEST_SKIP() << "no file that large here: " << SystemErrorMessage(::GetLastError());
  }
  const ReadOutcome read = Win32FilePort().ReadAll(path);
  EXPECT_EQ(read.kind, ReadOutcome::Kind::kFailed);
  EXPECT_EQ(read.message, SystemErrorMessage(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(Win32Paths, TheEntryFileLivesBesideTheProgram) {
  const std::wstring folder = ExecutableDirectory();
  ASSERT_FALSE(folder.empty());
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(Exists(folder + L"\\windows_tests.exe"));
  EXPECT_EQ(EntryFilePath(), folder + L"\\data.txt");
}

TEST(SystemErrorMessage, NamesTheErrorAndItsNumber) {
  const std::wstring denied = SystemErrorMessage(ERROR_ACCESS_DENIED);
  EXPECT_NE(denied.find(L"(5)"), std::wstring::npos);
  EXPECT_GT(denied.size(), 4u);
  EXPECT_EQ(denied.find_first_of(L"\r\n"), std::wstring::npos);
  EXPECT_NE(denied, SystemErrorMessage(ERROR_FILE_NOT_FOUND));
  // A code the system has no text for still gives a message with its number.
  const std::wstring unknown = SystemErrorMessage(0x2FFFFFFF);
  EXPECT_NE(unknown.find(std::to_wstring(0x2FFFFFFF)), std::wstring::npos);
  EXPECT_GT(unknown.size(), std::to_wstring(0x2FFFFFFF).size() + 2);
}

}  // namespace
}  // namespace quillet
