#include "platform/win32/win32_list_box.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/surface.h"
#include "platform/win32/system_library.h"

namespace quillet {
namespace {

struct VectorItems : ListItems {
  std::vector<std::wstring> items;
  int Count() const override { return static_cast<int>(items.size()); }
  std::wstring Item(int index) const override { return items.at(index); }
};

// A list box of the program's style, shown through the wrapper over `items`.
struct Win32ListBoxTest : ::testing::Test {
  void SetUp() override {
    list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | Win32ListBox::kStyle, 0, 0, 300, 200, nullptr, nullptr,
                             nullptr, nullptr);
    if (list == nullptr) GTEST_SKIP() << "no window station with a display";
    box.Attach(list);
  }
  void TearDown() override { ::DestroyWindow(list); }
  HWND list = nullptr;
  Win32ListBox box;
  VectorItems items;
};

// What an accessibility client reads as the name of `child` of the window's client object.
std::wstring AccessibleName(HWND window, long child) {
  static const auto object_from_window =
      SystemFunction<decltype(&::AccessibleObjectFromWindow)>(L"oleacc.dll", "AccessibleObjectFromWindow");
  IAccessible* object = nullptr;
  if (object_from_window == nullptr ||
      FAILED(object_from_window(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)))) {
    return L"(no object)";
  }
  VARIANT which;
  which.vt = VT_I4;
  which.lVal = child;
  BSTR name = nullptr;
  const HRESULT result = object->get_accName(which, &name);
  object->Release();
  std::wstring text = SUCCEEDED(result) && name != nullptr ? std::wstring(name, ::SysStringLen(name)) : L"(none)";
  ::SysFreeString(name);
  return text;
}

// A list of 70,000 entries scrolled to its end: the item under the pointer is
// the real one, not its index cut to 16 bits (70,000 would become 4,464).
TEST_F(Win32ListBoxTest, TheItemUnderAPointIsFullSizeBeyond65536Items) {
  ::SendMessageW(list, LB_SETITEMHEIGHT, 0, 16);
  for (int i = 0; i < 70'000; ++i) items.items.push_back(L"k" + std::to_wstring(i) + L":t");
  box.Show(items);
  ::SendMessageW(list, LB_SETTOPINDEX, 69'990, 0);
  const LRESULT top = ::SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  ASSERT_GT(top, 65'536);

  const int item = box.ItemAt({20, 16 * 2 + 5});
  EXPECT_EQ(item, top + 2);
  EXPECT_EQ(items.Item(item), L"k" + std::to_wstring(top + 2) + L":t");
  EXPECT_EQ(box.ItemAt({20, 500}), -1);
}

// Another thread's or program's LB_GETTEXT comes with a buffer the system
// sized for a pointer: it gets what a list box of the same style gives, byte
// for byte. The program's own thread still reads text.
TEST_F(Win32ListBoxTest, OnlyTheOwnThreadGetsText) {
  items.items = {L"a long keyword:C:\\a folder\\with a long name\\program.exe"};
  box.Show(items);
  const HWND bare = ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | Win32ListBox::kStyle, 0, 0, 300, 200, nullptr,
                                      nullptr, nullptr, nullptr);
  ASSERT_NE(bare, nullptr);
  ::SendMessageW(bare, LB_SETCOUNT, 1, 0);
  struct Answers {
    LRESULT length = 0, text = 0;
    unsigned char buffer[64];
  };
  // Asks from a second thread while this one dispatches the sent messages.
  const auto ask_from_another_thread = [](HWND list) {
    Answers answers;
    std::fill(std::begin(answers.buffer), std::end(answers.buffer), 0xAB);
    std::atomic<bool> done = false;
    std::thread asker([&] {
      DWORD_PTR result = 0;
      ::SendMessageTimeoutW(list, LB_GETTEXTLEN, 0, 0, SMTO_BLOCK, 5000, &result);
      answers.length = static_cast<LRESULT>(result);
      ::SendMessageTimeoutW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(answers.buffer), SMTO_BLOCK, 5000, &result);
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
  };
  const Answers ours = ask_from_another_thread(list), plain = ask_from_another_thread(bare);
  ::DestroyWindow(bare);
  EXPECT_EQ(ours.length, plain.length);
  EXPECT_EQ(ours.text, plain.text);
  // Byte for byte what the system writes for a list without strings (Wine 8
  // writes 8 bytes, Wine 10 18); the line's text would reach far beyond.
  for (std::size_t i = 0; i < sizeof ours.buffer; ++i) ASSERT_EQ(ours.buffer[i], plain.buffer[i]) << "byte " << i;
  // Screen readers ask the control for an item's text; it holds none, so the answers come from the items.
  items.items.insert(items.items.begin(), L"中文:C:\\程序\\x.exe");
  box.Changed(0, +1);
  wchar_t text[64];
  EXPECT_EQ(::SendMessageW(list, LB_GETTEXTLEN, 0, 0), 14);
  EXPECT_EQ(::SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)),
            static_cast<LRESULT>(items.items[1].size()));
  EXPECT_EQ(std::wstring(text), items.items[1]);
  EXPECT_EQ(::SendMessageW(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text)), LB_ERR);
}

// Each item's line is its accessible name, through the system's annotation
// of the list's children, where the system has that service.
TEST_F(Win32ListBoxTest, ItemsAreNamedByTheirLines) {
  items.items = {L"a:1", L"中文:C:\\x.exe"};
  box.Show(items);
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  box.AnnotateItemNamesOnRequest();  // as the program does: the first client's question annotates
  const std::wstring name = AccessibleName(list, 2);
  const bool annotated = box.annotated();
  if (annotated) {
    EXPECT_EQ(name, L"中文:C:\\x.exe");
    items.items.insert(items.items.begin(), L"new:N");  // names follow the items, with no work per item
    box.Changed(0, +1);
    EXPECT_EQ(AccessibleName(list, 1), L"new:N");
    EXPECT_EQ(AccessibleName(list, 3), L"中文:C:\\x.exe");
  }
  ::DestroyWindow(std::exchange(list, nullptr));  // the annotation ends with the control
  ::CoUninitialize();
  if (!annotated) GTEST_SKIP() << "this system has no annotation service (Wine 8 has none)";
}

// Pictures and labels acting as buttons carry their names as window text,
// which accessibility clients read as their names.
TEST(SurfaceTest, ItsNameIsItsWindowTextAndItsAccessibleName) {
  const HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  if (host == nullptr) GTEST_SKIP() << "no window station with a display";
  Surface close;
  ASSERT_TRUE(close.Create(host, {0, 0, 20, 20}, {.tab_stop = true}, L"关闭"));
  wchar_t text[16] = {};
  ::GetWindowTextW(close.hwnd(), text, 16);
  EXPECT_EQ(std::wstring(text), L"关闭");
  EXPECT_TRUE(::GetWindowLongW(close.hwnd(), GWL_STYLE) & WS_TABSTOP);
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  EXPECT_EQ(AccessibleName(close.hwnd(), CHILDID_SELF), L"关闭");
  ::CoUninitialize();
  ::DestroyWindow(host);
}

}  // namespace
}  // namespace quillet
