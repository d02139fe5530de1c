// Reads what a window shows, for the end-to-end tests: the texts of the
// child controls of every visible top-level window titled exactly TITLE
// (a message box's message, its button captions), written in UTF-8 to
// OUTFILE, one control a line as "class<TAB>text"; line breaks inside a
// text come out as the two characters \n. Exit status 0 when such a window
// was found, 1 when none was, 2 on bad use or an unwritable OUTFILE.
//   wintext.exe OUTFILE TITLE
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring text_of(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

std::wstring class_of(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::string to_utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring escape_breaks(const std::wstring& text) {
  std::wstring out;
  for (const wchar_t c : text) {
    if (c == L'\r')
      out += L"\\r";
    else if (c == L'\n')
      out += L"\\n";
    else
      out += c;
  }
  return out;
}

struct Search {
  std::wstring title;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_top(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (IsWindowVisible(window) && text_of(window) == search->title) search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK collect_child(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  Search search{argv[2], {}};
  EnumWindows(collect_top, reinterpret_cast<LPARAM>(&search));

  std::string report;
  for (HWND top : search.found) {
    std::vector<HWND> children;
    EnumChildWindows(top, collect_child, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) report += to_utf8(class_of(child) + L"\t" + escape_breaks(text_of(child))) + "\n";
  }

  FILE* out = _wfopen(argv[1], L"wb");
  if (!out) return 2;
  const bool written = std::fwrite(report.data(), 1, report.size(), out) == report.size();
  if (std::fclose(out) != 0 || !written) return 2;
  return search.found.empty() ? 1 : 0;
}
