// Performs a real OLE drop for the end-to-end tests: puts the pointer on a
// screen point and drags a data object of its own there with no button held,
// so the drop happens at once on whatever window lies under that point.
//   dropper.exe X Y text TEXT          CF_UNICODETEXT and CF_TEXT
//   dropper.exe X Y files PATH...      CF_HDROP (wide names)
// Exit status 0 when the drop happened (whoever took it), 1 when it was
// cancelled or failed, 2 on bad use.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/drag_source.h"
#include "tests/windows/file_list_block.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 5) return 2;
  const int x = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
  const int y = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
  const std::wstring kind = argv[3];
  std::vector<quillet::ClipboardBlock> blocks;
  if (kind == L"text" && argc == 5) {
    blocks = quillet::TextBlocks(argv[4]);
  } else if (kind == L"files") {
    blocks.push_back(quillet::FileListBlock(std::vector<std::wstring>(argv + 4, argv + argc)));
  } else {
    return 2;
  }
  ::LocalFree(argv);

  if (FAILED(::OleInitialize(nullptr))) return 1;
  ::SetCursorPos(x, y);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = quillet::DragBlocks(std::move(blocks), &effect);
  ::OleUninitialize();
  return result == DRAGDROP_S_DROP ? 0 : 1;
}
