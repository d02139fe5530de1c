// In-process figures under Wine with the real controls: filling List1 from the
// entry file, the lookup from the key-down to the last OpenTarget and the save
// of the list, each beside the time to just read the same file, and the paint
// of a page of the list scrolled to places all through it. Prints
// tab-separated rows:
//   figure  entries  median_ms
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/ansi_codec.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_file_port.h"
#include "platform/win32/win32_list_box.h"
#include "platform/win32/win32_shell.h"
#include "ui/main/form1.h"

namespace {

using namespace quillet;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Body>
double MedianMs(int runs, Body&& body) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(body());
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[runs / 2];
}

struct CountingShell : Shell {
  int opened = 0;
  double last = 0;
  void Open(const std::wstring&, const std::wstring&) override {
    ++opened;
    last = Now();
  }
};
struct SilentMessages : MessageBoxes {
  MessageAnswer Show(const std::wstring&, const std::wstring&, MessageStyle, Window*) override {
    return MessageAnswer::kOk;
  }
};

std::wstring EntryLine(int i) {
  static const wchar_t* words[] = {L"记事本", L"计算器", L"文档", L"浏览器", L"工具", L"项目", L"音乐", L"图片"};
  return std::wstring(words[i % 8]) + std::to_wstring(i) + L":C:\\Program Files\\应用程序\\" + words[(i / 8) % 8] +
         L"\\tool" + std::to_wstring(i) + L".exe";
}

void Row(const char* figure, int entries, double ms) { std::printf("%s\t%d\t%.3f\n", figure, entries, ms); }

// The list's owner: it draws the items as the main window does.
Win32ListBox* g_list = nullptr;
LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DRAWITEM && g_list != nullptr) {
    g_list->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), RGB(255, 255, 0), RGB(0, 0, 0));
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int wmain() {
  const AnsiCodec gbk(936);
  Win32FilePort port;
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring path = std::wstring(temp) + L"quillet-win-bench.txt";

  WNDCLASSW host_class{};
  host_class.lpfnWndProc = HostProc;
  host_class.lpszClassName = L"QuilletBenchHost";
  RegisterClassW(&host_class);
  const HWND host =
      CreateWindowExW(0, L"QuilletBenchHost", L"bench", WS_POPUP, 0, 0, 513, 384, nullptr, nullptr, nullptr, nullptr);
  const HWND list_hwnd = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | Win32ListBox::kStyle, 4, 21, 505,
                                         359, host, nullptr, nullptr, nullptr);
  // The list's font and item height as in the program (Consolas 10.5 pt at 96 dpi).
  const HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Consolas");
  SendMessageW(list_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(list_hwnd, LB_SETITEMHEIGHT, 0, 14);
  const HWND edit_hwnd =
      CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 222, 3, 237, 19, host, nullptr, nullptr, nullptr);
  ShowWindow(host, SW_SHOWNA);
  Win32Window window;
  window.Attach(host);
  Win32ListBox list;
  list.Attach(list_hwnd);
  g_list = &list;
  EntryList entries(list);
  Win32TextBox text1;
  text1.Attach(edit_hwnd);
  Win32Screen screen;
  Win32Environment env;
  CountingShell shell;
  SilentMessages messages;
  Win32Application app;
  SharedState state;

  for (const int count : {0, 1000, 32767, 100000}) {
    LineList items;
    for (int i = 0; i < count; ++i) items.Insert(items.size(), EntryLine(i));
    EntryFile file(port, gbk, path);
    // No entries: an empty file (a save of an empty list would write one empty line).
    if (!(count == 0 ? port.ReplaceAll(path, "") : file.Save(items))) return 1;
    Form1 form(Form1Wiring{window, list, entries, text1, screen, shell, env, messages, app, file, state});

    Row("bare_read", count, MedianMs(21, [&] {
          const double start = Now();
          port.ReadAll(path);
          return Now() - start;
        }));
    Row("list_fill", count, MedianMs(11, [&] {
          form.Command2_Click();
          const double start = Now();
          form.Command1_Click();
          return Now() - start;
        }));
    if (list.Count() != count) return 2;
    Row("save", count, MedianMs(11, [&] {
          const double start = Now();
          if (!form.ConfigSave()) return -1.0;
          return Now() - start;
        }));
    if (count == 100000) {
      // A page scrolled into view and painted, at 41 places from the top to the end.
      const int page = 359 / 14;
      int at = 0;
      Row("scroll_page_paint", count, MedianMs(41, [&] {
            const double start = Now();
            SendMessageW(list_hwnd, LB_SETTOPINDEX, at, 0);
            UpdateWindow(list_hwnd);
            const double took = Now() - start;
            at = (at + count / 40) % (count - page);
            return took;
          }));
    }
    if (count == 32767) {
      for (const auto& [figure, typed] : {std::pair{"lookup_1_keyword", L"记事本0"},
                                          std::pair{"lookup_5_keywords", L"记事本0 计算器1 文档2 浏览器3 不存在"}}) {
        text1.SetText(typed);
        Row(figure, count, MedianMs(51, [&] {
              shell.opened = 0;
              const double start = Now();
              form.Form_KeyDown(13);
              return shell.last - start;
            }));
      }
    }
  }
  DeleteFileW(path.c_str());
  return 0;
}
