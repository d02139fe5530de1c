#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/temp_folder.h"
#include "ui/main/launch.h"

namespace quillet {
namespace {

TEST(Win32EnvironmentTest, ReadsVariablesAndProbesFilesAndFolders) {
  const Win32Environment env;
  ::SetEnvironmentVariableW(L"QUILLET_T_LONG", std::wstring(300, L'x').c_str());
  ::SetEnvironmentVariableW(L"QUILLET_T_EMPTY", L"");
  ::SetEnvironmentVariableW(L"QUILLET_T_UNSET", nullptr);
  EXPECT_EQ(env.Variable(L"QUILLET_T_LONG"), std::wstring(300, L'x'));
  EXPECT_EQ(env.Variable(L"quillet_t_long"), std::wstring(300, L'x'));  // names ignore case
  EXPECT_EQ(env.Variable(L"QUILLET_T_EMPTY"), std::wstring());
  EXPECT_FALSE(env.Variable(L"QUILLET_T_UNSET"));
  EXPECT_FALSE(env.Variable(L"=C:"));

  const test::TempFolder temp;
  EXPECT_TRUE(env.Exists(temp.path));
  EXPECT_TRUE(env.Exists(temp.path + L"\\"));
  EXPECT_FALSE(env.Exists(temp.path + L"\\missing.exe"));
}

// A batch file named through a variable starts in its own folder: it writes
// the folder it runs in beside itself.
TEST(Win32ShellTest, ATargetStartsInTheFolderThatHoldsIt) {
  const test::TempFolder temp;
  const std::wstring script = temp.path + L"\\where.bat", out = temp.path + L"\\cwd.txt";
  test::WriteDirectly(script, "@cd > \"%~dp0cwd.txt\"\r\n");
  ::SetEnvironmentVariableW(L"QUILLET_T_DIR", temp.path.c_str());
  const Win32Environment env;
  const Launch launch = PlanLaunch(L"%QUILLET_T_DIR%\\where.bat", env);
  EXPECT_EQ(launch.file, script);
  ASSERT_EQ(launch.directory, temp.path);

  Win32Shell().Open(launch.file, launch.directory);
  std::string seen;
  for (int i = 0; i < 300 && seen.find('\n') == std::string::npos; ++i) {
    ::Sleep(50);
    seen = test::ReadDirectly(out);
  }
  char expected[MAX_PATH * 3] = {};
  ::WideCharToMultiByte(CP_ACP, 0, temp.path.c_str(), -1, expected, sizeof expected, nullptr, nullptr);
  EXPECT_EQ(seen.substr(0, seen.find_first_of("\r\n")), expected);
}

}  // namespace
}  // namespace quillet
