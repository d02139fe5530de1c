// The file port and the shell on real files and folders.
#include "platform/win32/win32_file_port.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"
#include "platform/win32/win32_shell.h"
#include "ui/main/launch.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::wstring>;

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

// Written and read directly, without the code under test.
void Write(const std::wstring& path, const std::string& bytes) {
  std::ofstream(fs::path(path), std::ios::binary) << bytes;
}
std::string Read(const std::wstring& path) {
  std::ifstream file(fs::path(path), std::ios::binary);
  return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<unreadable>";
}

// The names in a folder, sorted.
Names Listing(const std::wstring& folder) {
  Names names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().wstring());
  std::sort(names.begin(), names.end());
  return names;
}

// The permissions of a file, as the system gives them.
std::vector<BYTE> PermissionsOf(const std::wstring& path) {
  DWORD needed = 0;
  ::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
  std::vector<BYTE> descriptor(needed);
  if (!::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed)) return {};
  return descriptor;
}

// Each test in a fresh folder, removed at the end with everything in it, read-only files included.
class InAFreshFolder : public ::testing::Test {
 protected:
  InAFreshFolder() { fs::create_directory(folder_); }
  ~InAFreshFolder() override {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder_, ignored))
      ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder_, ignored);
  }
  inline static int count_ = 0;
  const std::wstring folder_ = (fs::temp_directory_path() / L"quillet-test-").wstring() +
                               std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++count_),
                     target_ = folder_ + L"\\data.txt";
  Win32FilePort port_;
};
using Win32FilePortTest = InAFreshFolder;
using Win32ShellTest = InAFreshFolder;

// Reads are byte for byte; a name that isn't there is missing, a folder of the
// name unreadable. Replacing creates, grows and shrinks the file (names outside
// the ANSI code page) over a read-only leftover of a crash and leaves no
// temporary file. The new file keeps the old one's permissions and the
// attributes the file system kept (Wine drops the indexing one), and gets the
// archive bit that tells backups the bytes changed.
TEST_F(Win32FilePortTest, ReadsAndReplacesEveryByteAndKeepsPermissionsAndAttributes) {
  const std::string bytes("a\r\nb\n\0\x1A\xD6\xD0\r", 10);
  Write(target_, bytes);
  EXPECT_EQ(port_.ReadAll(target_).bytes, bytes);
  EXPECT_EQ(port_.ReadAll(folder_ + L"\\no such folder\\data.txt").kind, ReadOutcome::Kind::kMissing);
  const ReadOutcome folder = port_.ReadAll(folder_);
  EXPECT_TRUE(folder.kind == ReadOutcome::Kind::kFailed && !folder.message.empty());

  const std::wstring named = folder_ + L"\\词条 한국어 ü", file = named + L"\\数据.txt";
  ASSERT_TRUE(::CreateDirectoryW(named.c_str(), nullptr));
  ASSERT_TRUE(port_.ReplaceAll(file, "first"));
  LocalMemory<void> wanted;  // permissions no new file in this folder would get by itself
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)(A;;FR;;;BU)", SDDL_REVISION_1,
                                                                     wanted.out(), nullptr));
  ASSERT_TRUE(::SetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, wanted.get()));
  const std::vector<BYTE> permissions = PermissionsOf(file);
  Write(target_, "");
  ASSERT_NE(permissions, PermissionsOf(target_)) << "a new file gets these permissions anyway";
  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
  const DWORD attributes = Attributes(file);
  for (const std::string& bytes : {std::string(3 * kWriteChunk + 5, 'x'), std::string()}) {
    Write(TempPathFor(file), "half-written leftover of a crashed save");
    ASSERT_TRUE(::SetFileAttributesW(TempPathFor(file).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(port_.ReplaceAll(file, bytes));
    EXPECT_TRUE(Read(file) == bytes) << bytes.size();
  }
  EXPECT_EQ(PermissionsOf(file), permissions);
  EXPECT_EQ(Attributes(file), attributes | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(Listing(named), Names{L"数据.txt"});
}

// A read-only file, a file another program holds, a folder of the name: the
// bytes stay and the error is named.
TEST_F(Win32FilePortTest, ATargetThatCantBeReplacedKeepsItsBytesAndSaysWhy) {
  Write(target_, "read-only");
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(port_.ReplaceAll(target_, "changed").message, SystemErrorMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(port_.ReadAll(target_).bytes, "read-only");  // reading it is fine
  const std::wstring locked = folder_ + L"\\locked.txt";
  Write(locked, "locked");
  {
    FileHandle lock(::CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_EQ(port_.ReadAll(locked).message, SystemErrorMessage(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(port_.ReplaceAll(locked, "changed").message.empty());
  }
  EXPECT_EQ(Read(locked), "locked");
  ASSERT_TRUE(::CreateDirectoryW((folder_ + L"\\folder.txt").c_str(), nullptr));
  EXPECT_FALSE(port_.ReplaceAll(folder_ + L"\\folder.txt", "changed").message.empty());
  EXPECT_EQ(Listing(folder_), (Names{L"data.txt", L"folder.txt", L"locked.txt"}));
}

// Where the temporary file can't be made (a folder of its name stands there)
// a writable file is rewritten in place, longer and shorter, and stays hidden.
TEST_F(Win32FilePortTest, WhereTheTemporaryFileCantBeMadeAWritableFileIsRewrittenInPlace) {
  ASSERT_TRUE(::CreateDirectoryW(TempPathFor(target_).c_str(), nullptr));
  Write(target_, "old");
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_HIDDEN));
  for (const std::string& bytes : {std::string(3 * kWriteChunk + 5, 'x'), std::string("short")}) {
    const IoStatus saved = port_.ReplaceAll(target_, bytes);
    ASSERT_TRUE(saved) << saved.message;
    EXPECT_TRUE(Read(target_) == bytes) << bytes.size();
  }
  EXPECT_TRUE(Attributes(target_) & FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_READONLY));  // refused with the folder's reason
  EXPECT_EQ(port_.ReplaceAll(target_, "new").message, SystemErrorMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Read(target_), "short");
}

// Every name of a file with several sees the saved bytes. The probe of a
// save leaves nothing behind.
TEST_F(Win32FilePortTest, AFileOfSeveralNamesKeepsThemAndTheProbeLeavesNoTrace) {
  Write(target_, "old");
  ASSERT_TRUE(port_.ProbeWritable(target_));
  EXPECT_EQ(Listing(folder_), Names{L"data.txt"});
  EXPECT_FALSE(port_.ProbeWritable(folder_ + L"\\no such folder\\data.txt").message.empty());

  const std::wstring other = folder_ + L"\\other.txt";
  ASSERT_TRUE(::CreateHardLinkW(other.c_str(), target_.c_str(), nullptr));
  ASSERT_TRUE(port_.ProbeWritable(target_));
  ASSERT_TRUE(port_.ReplaceAll(target_, "new"));
  EXPECT_EQ(Read(other), "new");
  EXPECT_EQ(Read(target_), "new");
  EXPECT_EQ(Listing(folder_), (Names{L"data.txt", L"other.txt"}));
}

// A batch file named through a variable (longer than a first guess of its
// size) starts in its own folder: it writes the folder it runs in beside
// itself. A variable set empty is empty; one not set is none.
TEST_F(Win32ShellTest, ATargetStartsInTheFolderThatHoldsIt) {
  const std::wstring inner = folder_ + L"\\" + std::wstring(80, L'f'), script = inner + L"\\where.bat";
  ASSERT_TRUE(::CreateDirectoryW(inner.c_str(), nullptr));
  Write(script, "@cd > \"%~dp0cwd.txt\"\r\n");
  ::SetEnvironmentVariableW(L"QUILLET_T_DIR", inner.c_str());
  ::SetEnvironmentVariableW(L"QUILLET_T_EMPTY", L"");
  const Win32Environment env;
  EXPECT_EQ(env.Variable(L"QUILLET_T_EMPTY"), std::wstring());
  EXPECT_FALSE(env.Variable(L"QUILLET_T_UNSET"));
  const Launch launch = PlanLaunch(L"%QUILLET_T_DIR%\\where.bat", env);

  Win32Shell().Open(launch.file, launch.directory);
  std::string seen;
  for (int i = 0; i < 300 && seen.find('\n') == std::string::npos; ++i) {
    ::Sleep(50);
    seen = Read(inner + L"\\cwd.txt");
  }
  char expected[MAX_PATH * 3] = {};
  ::WideCharToMultiByte(CP_ACP, 0, inner.c_str(), -1, expected, sizeof expected, nullptr, nullptr);
  EXPECT_EQ(seen.substr(0, seen.find_first_of("\r\n")), expected);
}

}  // namespace
}  // namespace quillet
