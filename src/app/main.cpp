#include <windows.h>

#include <commctrl.h>

#include <optional>

#include "app/editor_window.h"
#include "app/main_window.h"
#include "app/startup_marks.h"
#include "platform/win32/ansi_codec.h"
#include "platform/win32/boundary.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/system_error.h"
#include "platform/win32/win32_file_port.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_popup_menu.h"
#include "platform/win32/win32_shell.h"
#include "store/entry_file.h"
#include "ui/edit/form2.h"
#include "ui/edit/sett.h"
#include "ui/exception_text.h"
#include "ui/main/summon.h"
#include "ui/texts.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  quillet::MarkStartup("entered");
  // No DLL from the program's own folder (a download folder, say).
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  quillet::MarkStartup("common_controls");

  using namespace quillet;
  // Lives longer than every window that registers a drop target.
  std::optional<OleInitialization> ole;
  // With the system's code page UTF-8, files without the mark may still be in the locale's legacy one.
  const AnsiFiles ansi_files = ChooseAnsiFiles(::GetACP(), UserLocaleAnsiCodePage());
  AnsiCodec codec(ansi_files.code_page);
  Win32FilePort port;
  EntryFile file(port, codec, EntryFilePath(), ansi_files.system_utf8);
  SharedState state;
  Win32Screen screen;
  Win32Shell shell;
  Win32Environment env;
  Win32MessageBoxes messages;
  Win32Application app;

  // An error that reaches a window's boundary is reported there, and the
  // program goes on: the list and data.txt are as the last finished step left them.
  SetExceptionReporter([&messages](std::exception_ptr error) {
    messages.Show(ExceptionMessage(error, SystemErrorMessage(ERROR_NOT_ENOUGH_MEMORY)), kAppTitle, MessageStyle::kOk);
  });

  MainWindow main({screen, shell, env, messages, app, file, state});
  if (!main.Create()) return 1;
  MarkStartup("window_created");
  shell.set_owner(main.hwnd());
  messages.set_owner(main.hwnd());
  // Started again after a restart for updates, where the user allows it.
  ::RegisterApplicationRestart(nullptr, RESTART_NO_CRASH | RESTART_NO_HANG);

  // The editor and the entry menu, program-wide like the main window.
  EditorWindowFactory editors(screen);
  Form2 form2({editors, main.window(), main.items(), main.text1(), screen, messages, file, state});
  editors.set_form(form2);
  // The editor's refusals belong to the editor.
  messages.set_owner_lookup([&editors](const Window& window) { return editors.HwndOf(window); });
  Win32PopupMenuFactory menus(L"sett");
  Sett sett({menus, main.window(), main.items(), form2, messages, file, state});
  main.form().Connect(sett, form2);
  MarkStartup("forms_wired");

  // A load that failed still shows the window.
  Guarded([&] { main.window().MakeTopmost(/*show=*/true); }, [&] { main.form().Form_Load(); });

  // What the first sight needn't wait for (the list buttons, tool tips, the
  // summoning key, drops: OLE starts slowly on some systems) comes after the
  // window has painted, before any input is handled.
  MarkStartup("loaded_and_shown");
  ::UpdateWindow(main.hwnd());
  MarkStartup("first_paint");
  ole.emplace();
  MarkStartup("ole");
  // The summoning key, unless Quillet.ini beside the program sets another or none.
  main.FinishAfterShown(ReadSummonSetting(port.ReadAll(ExecutableDirectory() + L"\\Quillet.ini")));
  MarkStartup("after_shown_done");
  TheStartupMarks().Write();

  return RunMessageLoop([&](const MSG& msg) { return main.PreTranslate(msg) || editors.PreTranslate(msg); });
}
