#include "platform/win32/win32_list_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

// A list of 70,000 entries scrolled to its end: the item under the pointer is
// the real one, not its index cut to 16 bits (70,000 would become 4,464).
TEST(Win32ListBoxTest, TheItemUnderAPointIsFullSizeBeyond65536Items) {
  const HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | Win32ListBox::kStyle, 0, 0, 300, 200, nullptr,
                                      nullptr, nullptr, nullptr);
  if (list == nullptr) GTEST_SKIP() << "no window station with a display";
  ::SendMessageW(list, LB_SETITEMHEIGHT, 0, 16);
  Win32ListBox box;
  box.Attach(list);
  std::vector<std::wstring> items(70'000);
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = L"k" + std::to_wstring(i) + L":t";
  box.AppendItems(std::move(items));
  ::SendMessageW(list, LB_SETTOPINDEX, 69'990, 0);
  const LRESULT top = ::SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  ASSERT_GT(top, 65'536);

  const int item = box.ItemAt({20, 16 * 2 + 5});
  EXPECT_EQ(item, top + 2);
  EXPECT_EQ(box.Items()[item], L"k" + std::to_wstring(top + 2) + L":t");
  EXPECT_EQ(box.ItemAt({20, 500}), -1);
  ::DestroyWindow(list);
}

}  // namespace
}  // namespace quillet
