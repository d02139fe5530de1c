#include "platform/win32/win32_list_box.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace quillet {
namespace {

struct VectorItems : ListItems {
  std::vector<std::wstring> items;
  int Count() const override { return static_cast<int>(items.size()); }
  std::wstring Item(int index) const override { return items.at(index); }
};

HWND NewListBox() {
  return ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | Win32ListBox::kStyle, 0, 0, 300, 200, nullptr, nullptr,
                           nullptr, nullptr);
}

// A list box of the program's style, shown through the wrapper over `items`.
struct Win32ListBoxTest : ::testing::Test {
  void SetUp() override {
    if (list == nullptr) GTEST_SKIP() << "no window station with a display";
    box.Attach(list);
  }
  void TearDown() override { ::DestroyWindow(list); }
  HWND list = NewListBox();
  Win32ListBox box;
  VectorItems items;
};

// A list of 70,000 entries scrolled to its end: the item under the pointer is
// the real one, not its index cut to 16 bits (70,000 would become 4,464).
TEST_F(Win32ListBoxTest, TheItemUnderAPointIsFullSizeBeyond65536Items) {
  ::SendMessageW(list, LB_SETITEMHEIGHT, 0, 16);
  items.items.resize(70'000);
  box.Show(items);
  ::SendMessageW(list, LB_SETTOPINDEX, 69'990, 0);
  const LRESULT top = ::SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  ASSERT_GT(top, 65'536);
  EXPECT_EQ(box.ItemAt({20, 16 * 2 + 5}), top + 2);
  EXPECT_EQ(box.ItemAt({20, 500}), -1);
}

// LB_GETTEXTLEN and LB_GETTEXT asked from another thread, while this one
// dispatches the sent messages: the answers and the bytes written.
struct Answers {
  LRESULT length = 0, text = 0;
  std::array<unsigned char, 64> buffer;
  bool operator==(const Answers&) const = default;
};
Answers AskFromAnotherThread(HWND list) {
  Answers answers;
  answers.buffer.fill(0xAB);
  std::atomic<bool> done = false;
  std::thread asker([&] {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(list, LB_GETTEXTLEN, 0, 0, SMTO_BLOCK, 5000, &result);
    answers.length = static_cast<LRESULT>(result);
    ::SendMessageTimeoutW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(answers.buffer.data()), SMTO_BLOCK, 5000,
                          &result);
    answers.text = static_cast<LRESULT>(result);
    done = true;
  });
  while (!done) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
  }
  asker.join();
  return answers;
}

// Another thread's or program's LB_GETTEXT comes with a buffer the system
// sized for a pointer: it gets what a list box of the same style gives, byte
// for byte (Wine 8 writes 8 bytes, Wine 10 18); the line's text would reach
// far beyond. The program's own thread reads the items' text.
TEST_F(Win32ListBoxTest, OnlyTheOwnThreadGetsText) {
  items.items = {L"a long keyword:C:\\a folder\\with a long name\\程序.exe"};
  box.Show(items);
  const HWND bare = NewListBox();
  ::SendMessageW(bare, LB_SETCOUNT, 1, 0);
  const Answers ours = AskFromAnotherThread(list), plain = AskFromAnotherThread(bare);
  ::DestroyWindow(bare);
  EXPECT_EQ(ours, plain);
  wchar_t text[64];
  const auto length = static_cast<LRESULT>(items.items[0].size());
  EXPECT_EQ(::SendMessageW(list, LB_GETTEXTLEN, 0, 0), length);
  EXPECT_EQ(::SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text)), length);
  EXPECT_EQ(std::wstring(text), items.items[0]);
  EXPECT_EQ(::SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)), LB_ERR);
}

}  // namespace
}  // namespace quillet
