#include "ui/main/form1.h"

#include <gtest/gtest.h>

#include "platform/twips.h"
#include "tests/unit/fakes.h"
#include "ui/main/form1_layout.h"
#include "ui/main/launch.h"
#include "ui/placement.h"
#include "ui/texts.h"

namespace quillet {
namespace {

using namespace test;
using Items = std::vector<std::wstring>;
using Boxes = std::vector<std::pair<std::wstring, MessageStyle>>;
struct Form1Test : MainWindowFixture {
  // The window at pixel x, y at 96 DPI.
  void place(int x, int y) { window.left = x * 15.0f, window.top = y * 15.0f, window.rect = {x, y, x + 513, y + 384}; }
  Boxes Shown() const {
    Boxes boxes;
    for (const auto& box : messages.shown) boxes.emplace_back(box.text, box.style);
    return boxes;
  }
};

// The system's scale at sign-in was 100 %; the monitor is at 150 % now: the
// window is made, sized and centred in the monitor's scale. Beside the program
// in a protected folder every save would fail: that is said once, at start-up.
TEST_F(Form1Test, StartUpCentresFillsFocusesShowsOnTopAndNamesAFolderThatTakesNoSave) {
  Bytes() = "a:1\r\n\r\nb:2\r\n";
  screen.primary = {{0, 0, 1920, 1080}, 144};
  window.dpi = 144;
  port.probe_fails_with = L"拒绝访问。";
  form.Form_Load();
  const PixelRect r = InitialWindowRect(screen.primary, kForm1Width, kForm1Height);
  EXPECT_EQ(TwipsToPixels(window.left, window.dpi), r.left);
  EXPECT_EQ(TwipsToPixels(window.top, window.dpi), r.top);
  EXPECT_EQ(list.rows, (Items{L"a:1", L"", L"b:2"}));
  EXPECT_TRUE(events.InOrder("Text1.Focus", "Form1.Topmost") && window.visible && window.topmost);
  EXPECT_EQ(Shown(), (Boxes{{UnsavableFolderText(L"C:\\q", L"拒绝访问。"), MessageStyle::kOk}}));
  EXPECT_EQ(messages.shown[0].title, kAppTitle);
  Bytes() = "c:3\r\n";
  form.Command1_Click();  // appends what the file holds now, and names no folder at a reload
  EXPECT_EQ(list.rows, (Items{L"a:1", L"", L"b:2", L"c:3"}));
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Form1Test, AFileThatCantBeReadIsReportedAndBlocksSaving) {
  port.fail_reads_with = L"另一个程序正在使用此文件。";
  form.Form_Load();
  EXPECT_EQ(Shown(), (Boxes{{kReadFailedPrefix + port.fail_reads_with, MessageStyle::kOk}}));
  EXPECT_TRUE(port.probed.empty() && window.visible);  // saves wait for a load anyway
  entries.Insert(0, L"kept");
  port.out_of_memory = true;  // "载入" fails the same way, a file too large for memory too, and keeps the list
  form.Command1_Click();
  EXPECT_EQ(messages.shown.back().text, kReadFailedPrefix + port.OutOfMemoryMessage());
  EXPECT_EQ(list.rows, Items{L"kept"});
  form.Command3_Click();
  EXPECT_EQ(port.files.count(kPath), 0u);
}

// "保存", the close and the end of the session over "a:1" (no CR LF: any
// write would show), after a load. Steps: E adds "b:2" as the editor does, C is
// "清空", S "保存", X the close, Q the end of the session's question.
TEST_F(Form1Test, SavesAskBeforeOverwritingAnotherProgramsChangeAndNeverLoseAChangeUnasked) {
  const std::string kTheirs = "hand:edited\r\n", kOurs = "a:1\r\nb:2\r\n";
  const std::wstring kDenied = kWriteFailedPrefix + std::wstring(L"拒绝访问。");
  constexpr auto kQuestion = kChangedElsewhereQuestion;
  using enum MessageAnswer;
  constexpr auto kYesNoCancelDefaultCancel = MessageStyle::kYesNoCancelDefaultCancel,
                 kOkCancelDefaultCancel = MessageStyle::kOkCancelDefaultCancel;
  const struct {
    const char* steps;
    bool outside, write_fails;
    std::deque<MessageAnswer> answers;
    bool result;  // of the last step
    std::string bytes;
    Boxes boxes;
  } rows[] = {
      {"X", false, false, {}, true, "a:1", {}},
      {"CX", false, false, {}, true, "a:1", {}},  // clearing the list leaves the file
      {"ECX", false, false, {}, true, "\r\n", {}},
      {"EX", false, false, {}, true, kOurs, {}},
      // The close asks 是/否/取消, 取消 the default: 是 overwrites, 否 leaves their file, 取消 stays.
      {"EX", true, false, {kYes}, true, kOurs, {{kQuestion, kYesNoCancelDefaultCancel}}},
      {"EX", true, false, {kNo}, true, kTheirs, {{kQuestion, kYesNoCancelDefaultCancel}}},
      {"EX", true, false, {kCancel}, false, kTheirs, {{kQuestion, kYesNoCancelDefaultCancel}}},
      // A failed save at the close: Enter (取消) keeps the program and the changes.
      {"EX", false, true, {kCancel}, false, "a:1", {{kDenied + kQuitAnywaySuffix, kOkCancelDefaultCancel}}},
      {"EX", false, true, {kOk}, true, "a:1", {{kDenied + kQuitAnywaySuffix, kOkCancelDefaultCancel}}},
      {"ES", false, true, {}, true, "a:1", {{kDenied, MessageStyle::kOk}}},
      // "保存" asks OK/Cancel; what it wrote is then what was seen.
      {"ES", true, false, {kCancel}, true, kTheirs, {{kQuestion, kOkCancelDefaultCancel}}},
      {"ESES", true, false, {kOk}, true, kOurs + "b:2\r\n", {{kQuestion, kOkCancelDefaultCancel}}},
      // The end of the session is answered at once, held only for what needs the user.
      {"Q", false, false, {}, true, "a:1", {}},
      {"EQ", false, false, {}, true, kOurs, {}},
      {"EQ", true, false, {}, false, kTheirs, {}},
      {"EQ", false, true, {}, false, "a:1", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    port = MemoryFilePort{}, Bytes() = "a:1", entries.Clear(), messages.shown.clear(), app.quit = false;
    state.DataChanged = 0;
    form.Command1_Click();
    if (row.outside) Bytes() = kTheirs;
    if (row.write_fails) port.fail_writes_with = L"拒绝访问。";
    messages.answers = row.answers;
    bool result = true;
    for (const char* step = row.steps; *step; ++step) {
      if (*step == 'E') entries.Insert(entries.Count(), L"b:2"), state.DataChanged = 1;
      if (*step == 'C') form.Command2_Click();
      if (*step == 'S') form.Command3_Click();
      if (*step == 'X') result = form.Image3_Click();
      if (*step == 'Q') result = form.Form_QueryEndSession();
    }
    EXPECT_EQ(result, row.result);
    EXPECT_EQ(Bytes(), row.bytes);
    EXPECT_EQ(Shown(), row.boxes);
    const char last = row.steps[std::string_view(row.steps).size() - 1];
    EXPECT_EQ(app.quit, row.result && last == 'X');
    // Whatever stays keeps the changes.
    EXPECT_TRUE(row.result || (list.rows == Items{L"a:1", L"b:2"} && state.DataChanged == 1));
    if (last != 'Q') continue;
    EXPECT_EQ(app.holding, row.result ? std::nullopt : std::optional<std::wstring>(kUnsavedChangesReason));
    form.Form_EndSession(false);  // the session goes on, and so does the program
    EXPECT_TRUE(!app.holding && !app.quit);
  }
  form.Form_EndSession(true);
  EXPECT_TRUE(app.quit);
}

TEST_F(Form1Test, EnterLooksUpTheTypedWordsInTheSavedFileAndStartsTheTargetsInTheirFolder) {
  Bytes() = "a:C:\\x.exe\r\nb:Y\r\n";
  env.paths = {L"C:\\x.exe"};
  form.Form_Load();
  text1.text = L"b a";
  form.Form_KeyDown(13);
  EXPECT_EQ(shell.opened, (Items{L"C:\\x.exe", L"Y"}));
  EXPECT_EQ(shell.directories, (Items{L"C:\\", L""}));
  // The lookup reads the file, not the list: an unsaved entry isn't found until saved.
  entries.Insert(0, L"new:N");
  text1.text = L"new";
  form.Command5_Click();
  form.Command3_Click();
  form.Command5_Click();
  EXPECT_EQ(shell.opened, (Items{L"C:\\x.exe", L"Y", L"N"}));
}

// Cancel is the default wherever Return would overwrite or lose changes, and
// no box opens behind the topmost main window.
TEST(MessageBoxFlagsTest, EachStyleHasItsButtonsAndDefaultAndOpensOnTop) {
  using namespace box_flags;
  for (const auto& [style, flags] : {std::pair{MessageStyle::kOk, kOk | kDefault1},
                                     {MessageStyle::kOkCancel, kOkCancel | kDefault1},
                                     {MessageStyle::kOkCancelDefaultCancel, kOkCancel | kDefault2},
                                     {MessageStyle::kYesNoCancelDefaultCancel, kYesNoCancel | kDefault3}}) {
    EXPECT_EQ(MessageBoxFlags(style), flags | kTopmost | kSetForeground) << static_cast<int>(style);
  }
}

TEST(LaunchTest, TargetsStartInTheirOwnFolderWithVariablesExpandedInOnePass) {
  FakeEnvironment env;
  env.variables = {{L"TOOLS", L"C:\\Tools"}, {L"OS", L"Windows_NT"}, {L"A", L"1"}, {L"B", L"%A%"}, {L"E", L""}};
  env.paths = {L"C:\\Tools\\p.exe", L"C:\\Tools\\sub\\", L"D:\\", L"\\\\server\\share\\s.exe"};
  const struct {
    const wchar_t *target, *file, *folder;
  } rows[] = {{L"C:\\Tools\\p.exe", L"C:\\Tools\\p.exe", L"C:\\Tools"},         // an existing program
              {L"%TOOLS%\\sub\\", L"C:\\Tools\\sub\\", L"C:\\Tools"},           // a folder, through a variable
              {L"D:\\", L"D:\\", L"D:\\"},                                      // a drive's root holds itself
              {L"C:\\Gone\\x.exe", L"C:\\Gone\\x.exe", L""},                    // missing: the shell says so, no folder
              {L"%NOPE%\\%TOOLS%\\p.exe", L"%NOPE%\\C:\\Tools\\p.exe", L""},    // an unset name stays as written
              {L"\\\\server\\share\\s.exe", L"\\\\server\\share\\s.exe", L""},  // network paths are not probed
              {L"https://example.org/find?q=%OS%", L"https://example.org/find?q=%OS%", L""},  // % is percent-encoding
              {L"MailTo:a@example.org?subject=%OS%", L"MailTo:a@example.org?subject=%OS%", L""},
              {L"C:%OS%\\x.exe", L"C:Windows_NT\\x.exe", L""},  // a drive letter is no scheme
              // Names are read as the system reads them, in one pass.
              {L"%A%%A%x", L"11x", L""},
              {L"%B%", L"%A%", L""},
              {L"[%E%]", L"[]", L""},
              {L"%NO%A%", L"%NO1", L""},
              {L"%%A%", L"%1", L""}};
  for (const auto& r : rows) {
    const Launch launch = PlanLaunch(r.target, env);
    EXPECT_EQ(launch.file + L" in " + launch.directory, r.file + std::wstring(L" in ") + r.folder);
  }
}

// The summoning key brings a docked window out, activated with its text
// selected, and it stays out while it is active. The timer docks and restores
// it through the window.
TEST_F(Form1Test, TheHotKeyAndTheTimerDockAndRestoreThroughTheWindow) {
  place(-513 + 3, 300);  // docked at the left, behind the screen edge
  screen.cursor = {1500, 900};
  form.Form_HotKey();
  EXPECT_FLOAT_EQ(window.left, -10);
  EXPECT_TRUE(events.InOrder("Form1.Show", "Form1.Activate") && events.InOrder("Form1.Activate", "Text1.Focus") &&
              events.InOrder("Text1.Focus", "Text1.SelectAll"));
  // Out and active, the pointer away: the ticks leave it where it is...
  place(-1, 300);
  form.Timer1_Timer();
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.left, -15);
  // ...until it has lost the activation; then it docks again, and later on
  // also while the user has activated it by hand.
  window.active = false;
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.left, -7655);
  window.active = true;
  place(-1, 300);
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.left, -7655);
  // Touched on its sliver: back, shown, and above every other topmost window
  // (a task bar on that side). The ticks that keep it there leave the
  // stacking alone: an open menu stays above it.
  place(-510, 300);
  screen.cursor = {1, 500};
  events.seen.clear();
  form.Timer1_Timer();
  EXPECT_TRUE(window.left == -10 && events.InOrder("Form1.Show", "Form1.Topmost"));
  place(-1, 300);
  events.seen.clear();
  form.Timer1_Timer();
  EXPECT_EQ(events.seen, std::vector<std::string>{"Form1.Show"});
  // The title label and the bare strip move the window as its title bar would.
  events.seen.clear();
  form.title_MouseMove();
  form.pmenu_MouseMove();
  EXPECT_EQ(events.seen, (std::vector<std::string>{"Form1.Drag", "Form1.Drag"}));
  // Summoned from a monitor that is gone: on the primary.
  place(-1500, 300);
  form.Form_HotKey();
  EXPECT_TRUE(window.rect.left == 704 && window.rect.top == 348);
}

}  // namespace
}  // namespace quillet
