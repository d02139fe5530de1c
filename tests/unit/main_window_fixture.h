#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/fakes.h"
#include "tests/unit/store_test_support.h"
#include "ui/main/form1.h"

namespace quillet::test {

// Form1 over fakes of every part, with data.txt in memory.
struct MainWindowFixture : ::testing::Test {
  const std::wstring kPath = L"C:\\q\\data.txt";
  Journal journal;
  FakeWindow window{journal, "Form1"};
  FakeListBox list{journal};
  FakeTextBox text1{journal, "Text1"};
  FakeScreen screen;
  FakeShell shell;
  FakeEnvironment env;
  FakeMessages messages{journal};
  FakeApp app{journal};
  MemoryFilePort port;
  EntryFile file{port, Gbk(), kPath};
  SharedState state;
  Form1 form{Form1Parts{window, list, text1, screen, shell, env, messages, app, file, state}};

  std::string& Bytes() { return port.files[kPath]; }
};

}  // namespace quillet::test
