#include "ui/main/form1.h"

#include <gtest/gtest.h>

#include "platform/twips.h"
#include "tests/unit/fakes.h"
#include "ui/main/form1_layout.h"
#include "ui/main/launch.h"
#include "ui/main/summon.h"
#include "ui/placement.h"
#include "ui/texts.h"

namespace quillet {
namespace {

using namespace test;
using Items = std::vector<std::wstring>;
struct Form1Test : MainWindowFixture {
  // The window at pixel x, y at 96 DPI.
  void place(int x, int y) { window.left = x * 15.0f, window.top = y * 15.0f, window.rect = {x, y, x + 513, y + 384}; }
};

// The system's scale at sign-in was 100 %; the monitor is at 150 % now: the
// window is made, sized and centred in the monitor's scale.
TEST_F(Form1Test, StartUpCentresInTheMonitorsScaleFillsAndFocusesBeforeShowingOnTop) {
  Bytes() = "a:1\r\n\r\nb:2\r\n";
  screen.primary = {{0, 0, 1920, 1080}, 144};
  window.dpi = 144;
  const PixelRect r = InitialWindowRect(screen.primary, kForm1Width, kForm1Height);
  EXPECT_EQ(r.left, 575);
  EXPECT_EQ(r.bottom - r.top, 576);
  form.Form_Load();
  EXPECT_EQ(TwipsToPixels(window.left, window.dpi), r.left);
  EXPECT_EQ(TwipsToPixels(window.top, window.dpi), r.top);
  EXPECT_EQ(ListLines(), (Items{L"a:1", L"", L"b:2"}));
  EXPECT_TRUE(events.InOrder("Text1.Focus", "Form1.Topmost"));
  EXPECT_TRUE(window.visible && window.topmost && messages.shown.empty());
  EXPECT_EQ(port.probed, Items{kPath});
}

// Beside the program in a protected folder every save would fail: that is
// said once, at start-up, and the program goes on.
TEST_F(Form1Test, AFolderThatTakesNoSaveIsNamedOnceAtStartUp) {
  Bytes() = "a:1\r\n";
  port.probe_fails_with = L"拒绝访问。";
  form.Form_Load();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, UnsavableFolderText(L"C:\\q", L"拒绝访问。"));
  EXPECT_EQ(messages.shown[0].title, kAppTitle);
  EXPECT_EQ(messages.shown[0].style, MessageStyle::kOk);
  EXPECT_TRUE(window.visible && window.topmost);
  EXPECT_EQ(ListLines(), Items{L"a:1"});
  form.Command1_Click();  // not at a reload
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(port.probed.size(), 1u);
}

TEST_F(Form1Test, AFileThatCantBeReadIsReportedAndBlocksSaving) {
  port.fail_reads_with = L"另一个程序正在使用此文件。";
  form.Form_Load();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kReadFailedPrefix + port.fail_reads_with);
  EXPECT_TRUE(port.probed.empty());  // saves wait for a load anyway
  EXPECT_TRUE(window.visible);
  entries.Insert(0, L"kept");
  form.Command1_Click();  // "载入" fails the same way and keeps what the list has
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(ListLines(), Items{L"kept"});

  port.out_of_memory = true;  // a file too large for memory: the same
  form.Command1_Click();
  EXPECT_EQ(messages.shown.back().text, kReadFailedPrefix + port.OutOfMemoryMessage());
  EXPECT_EQ(ListLines(), Items{L"kept"});
}

TEST_F(Form1Test, EnterLooksUpTheTypedWordsInTheSavedFileWhateverTheShiftState) {
  Bytes() = "a:X\r\nb:Y\r\n";
  form.Form_Load();
  text1.text = L"b a";
  form.Form_KeyDown(13);
  form.Form_KeyDown(65);  // any other key does nothing
  EXPECT_EQ(shell.opened, (Items{L"X", L"Y"}));
  // The lookup reads the file, not the list: an unsaved entry isn't found until saved.
  entries.Insert(0, L"new:N");
  text1.text = L"new";
  shell.opened.clear();
  form.Command5_Click();
  EXPECT_TRUE(shell.opened.empty());
  form.Command3_Click();
  form.Command5_Click();
  EXPECT_EQ(shell.opened, Items{L"N"});
}

TEST_F(Form1Test, ReloadAppendsClearLeavesTheFileAndCloseWritesOnlyAChangedList) {
  Bytes() = "a:1\r\nb:2";  // not CR LF-terminated: any write would show
  form.Form_Load();
  Bytes() = "a:1\r\nc:3";
  form.Command1_Click();
  EXPECT_EQ(ListLines(), (Items{L"a:1", L"b:2", L"a:1", L"c:3"}));
  form.Command2_Click();
  EXPECT_TRUE(ListLines().empty());
  EXPECT_TRUE(form.Image3_Click());
  EXPECT_EQ(Bytes(), "a:1\r\nc:3");
  state.DataChanged = 1;
  EXPECT_TRUE(form.Image3_Click());
  EXPECT_EQ(Bytes(), "\r\n");
  EXPECT_TRUE(app.quit);
}

TEST_F(Form1Test, AFailedSaveKeepsEverythingAndAtCloseCancelKeepsTheProgramRunning) {
  Bytes() = "a:1\r\n";
  form.Form_Load();
  state.DataChanged = 1;
  entries.Insert(entries.Count(), L"b:2");
  port.fail_writes_with = L"拒绝访问。";
  form.Command3_Click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kWriteFailedPrefix + port.fail_writes_with);

  messages.answers = {MessageAnswer::kCancel};
  EXPECT_FALSE(form.Image3_Click());
  EXPECT_EQ(messages.shown.back().text, kWriteFailedPrefix + port.fail_writes_with + kQuitAnywaySuffix);
  EXPECT_EQ(messages.shown.back().style, MessageStyle::kOkCancelDefaultCancel);  // Enter keeps the changes
  EXPECT_TRUE(!app.quit && ListLines().size() == 2 && state.DataChanged == 1);

  EXPECT_TRUE(form.Image3_Click());  // OK: quit, losing the change
  EXPECT_TRUE(app.quit);
}

TEST_F(Form1Test, ASaveAsksBeforeOverwritingWhatAnotherProgramWrote) {
  const std::string kTheirs = "a:1\r\nhand:edited\r\n", kOurs = "a:1\r\nb:2\r\n";
  // The close asks 是/否/取消, 取消 the default: 是 overwrites and ends, 否 ends
  // and leaves their file, 取消 (or a box closed otherwise) stays.
  const struct {
    MessageAnswer answer;
    bool ends;
    const std::string& bytes;
  } rows[] = {{MessageAnswer::kYes, true, kOurs},
              {MessageAnswer::kNo, true, kTheirs},
              {MessageAnswer::kCancel, false, kTheirs}};
  for (const auto& row : rows) {
    Bytes() = "a:1\r\n";
    entries.Clear();
    form.Form_Load();
    state.DataChanged = 1;
    entries.Insert(entries.Count(), L"b:2");
    Bytes() = kTheirs;  // changed by hand meanwhile
    app.quit = false;
    messages.shown.clear();
    messages.answers = {row.answer};
    EXPECT_EQ(form.Image3_Click(), row.ends);
    EXPECT_EQ(app.quit, row.ends);
    EXPECT_EQ(Bytes(), row.bytes);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kChangedElsewhereQuestion);
    EXPECT_EQ(messages.shown[0].style, MessageStyle::kYesNoCancelDefaultCancel);
  }
  // "保存" asks OK/Cancel; OK overwrites, and what was written is now what was seen.
  messages.shown.clear();
  messages.answers = {MessageAnswer::kCancel};
  form.Command3_Click();
  EXPECT_EQ(Bytes(), kTheirs);
  form.Command3_Click();
  EXPECT_EQ(Bytes(), kOurs);
  EXPECT_EQ(messages.shown[1].style, MessageStyle::kOkCancelDefaultCancel);
  EXPECT_TRUE(form.Image3_Click());
  EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(Form1Test, TheEndOfTheSessionIsAnsweredAtOnceAndHeldOnlyForWhatNeedsTheUser) {
  Bytes() = "a:1\r\n";
  form.Form_Load();
  const struct {
    const char* what;
    int changed;
    const char* outside;  // what another program wrote meanwhile, or nullptr
    const wchar_t* write_fault;
    bool may_end;
    std::string bytes;
  } rows[] = {
      {"unchanged", 0, nullptr, L"", true, "a:1\r\n"},
      {"saved silently", 1, nullptr, L"", true, "a:1\r\nb:2\r\n"},
      {"another program's change", 1, "x:9\r\n", L"", false, "x:9\r\n"},
      {"a failed save", 1, nullptr, L"磁盘已满。", false, "a:1\r\n"},
  };
  for (const auto& row : rows) {
    Bytes() = "a:1\r\n";
    entries.Clear();
    form.Command1_Click();
    if (row.outside != nullptr) Bytes() = row.outside;
    entries.Insert(1, L"b:2");
    state.DataChanged = row.changed;
    port.fail_writes_with = row.write_fault;
    EXPECT_EQ(form.Form_QueryEndSession(), row.may_end) << row.what;
    EXPECT_EQ(Bytes(), row.bytes) << row.what;
    EXPECT_EQ(app.holding, row.may_end ? std::nullopt : std::optional<std::wstring>(kUnsavedChangesReason)) << row.what;
    EXPECT_TRUE(messages.shown.empty() && !app.quit) << row.what;
    form.Form_EndSession(false);  // the session goes on, and so does the program
    EXPECT_TRUE(!app.holding && !app.quit) << row.what;
  }
  form.Form_EndSession(true);
  EXPECT_TRUE(app.quit && messages.shown.empty());
}

TEST_F(Form1Test, TimerDocksAndRestoresThroughTheWindowAndTakesZerosForFailedReads) {
  place(700, 3);
  screen.cursor = {1500, 900};
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.top, -5720);
  EXPECT_FALSE(window.visible);
  // Hidden behind the editor and touched on its sliver: back, shown, and
  // above every other topmost window (a task bar on that side).
  place(700, -381);
  screen.cursor = {800, 1};
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.top, -10);
  EXPECT_TRUE(window.visible && events.InOrder("Form1.Show", "Form1.Topmost"));
  // Kept where it is by the next ticks, it leaves the stacking alone: an
  // open menu stays above it.
  place(700, -1);
  events.seen.clear();
  form.Timer1_Timer();
  EXPECT_EQ(events.seen, std::vector<std::string>{"Form1.Show"});
  // Its monitor unplugged: back in the middle of the primary, on top.
  place(2500, 300);
  screen.cursor = {1500, 900};
  form.Timer1_Timer();
  EXPECT_TRUE(window.rect.left == 704 && window.rect.top == 348 && window.top == 5220);
  EXPECT_TRUE(events.InOrder("Form1.Show", "Form1.Topmost"));

  place(700, 300);
  screen.cursor = {800, 400};  // over the window, but neither read works
  screen.cursor_fails = window.rect_fails = true;
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.top, -5720);
}

TEST_F(Form1Test, TargetsStartInTheirOwnFolderWithVariablesExpanded) {
  Bytes() =
      "p:C:\\Tools\\p.exe\r\n"        // an existing program
      "p:%TOOLS%\\sub\\\r\n"          // a folder, through a variable
      "p:D:\\\r\n"                    // a drive's root holds itself
      "p:C:\\Gone\\x.exe\r\n"         // missing: the shell says so, no folder
      "p:%NOPE%\\%TOOLS%\\p.exe\r\n"  // an unset name stays as written
      "p:notepad.exe C:\\Tools\\a.txt\r\n"
      "p:https://example.org/a\r\n"
      "p:\\\\server\\share\\s.exe\r\n"         // network paths are not probed
      "p:https://example.org/find?q=%OS%\r\n"  // a URL's % is percent-encoding
      "p:MailTo:a@example.org?subject=%OS%\r\n"
      "p:C:%OS%\\x.exe\r\n"  // a drive letter is no scheme
      "p:C:\\50% off\\a.exe\r\n"
      "p:C:\\Tools\\%NOPE%\r\n";
  env.variables = {{L"TOOLS", L"C:\\Tools"}, {L"OS", L"Windows_NT"}};
  env.paths = {L"C:\\Tools\\p.exe", L"C:\\Tools\\sub\\", L"D:\\", L"\\\\server\\share\\s.exe", L"C:\\50% off\\a.exe"};
  text1.text = L"p";
  form.Command5_Click();
  EXPECT_EQ(shell.opened,
            (Items{L"C:\\Tools\\p.exe", L"C:\\Tools\\sub\\", L"D:\\", L"C:\\Gone\\x.exe", L"%NOPE%\\C:\\Tools\\p.exe",
                   L"notepad.exe C:\\Tools\\a.txt", L"https://example.org/a", L"\\\\server\\share\\s.exe",
                   L"https://example.org/find?q=%OS%", L"MailTo:a@example.org?subject=%OS%", L"C:Windows_NT\\x.exe",
                   L"C:\\50% off\\a.exe", L"C:\\Tools\\%NOPE%"}));
  EXPECT_EQ(shell.directories,
            (Items{L"C:\\Tools", L"C:\\Tools", L"D:\\", L"", L"", L"", L"", L"", L"", L"", L"", L"C:\\50% off", L""}));
  form.Image1_Click();
  EXPECT_EQ(shell.directories.back(), L"");
  // Names are read as the system reads them, in one pass.
  env.variables = {{L"A", L"1"}, {L"B", L"%A%"}, {L"E", L""}};
  for (const auto& [in, out] : std::vector<std::pair<std::wstring, std::wstring>>{{L"%A%%A%x", L"11x"},
                                                                                  {L"%B%", L"%A%"},
                                                                                  {L"[%E%]", L"[]"},
                                                                                  {L"%NO%A%", L"%NO1"},
                                                                                  {L"50% off %", L"50% off %"},
                                                                                  {L"%%A%", L"%1"},
                                                                                  {L"%A", L"%A"}}) {
    EXPECT_EQ(ExpandVariables(in, env), out) << std::string(in.begin(), in.end());
  }
}

TEST_F(Form1Test, TheHotKeyBringsADockedWindowOutAndItStaysOutWhileActive) {
  place(-513 + 3, 300);  // docked at the left, hidden behind the editor
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
  // Summoned where it isn't docked: not moved, still given the keyboard.
  place(700, 300);
  events.seen.clear();
  form.Form_HotKey();
  EXPECT_FLOAT_EQ(window.left, 10500);
  EXPECT_TRUE(events.InOrder("Form1.Activate", "Text1.SelectAll"));
  // Summoned from a monitor that is gone: on the primary.
  place(-1500, 300);
  form.Form_HotKey();
  EXPECT_TRUE(window.rect.left == 704 && window.rect.top == 348);
  // A chord another program holds is named in the keyword box's tool tip.
  EXPECT_EQ(Text1ToolTip(SummonSetting(), false), kText1ToolTip);
  EXPECT_EQ(Text1ToolTip(SummonSetting(), true),
            std::wstring(kText1ToolTip) + L"\n快捷键 Ctrl+Alt+F3 已被其他程序占用，无法用它唤出本窗口");
}

}  // namespace
}  // namespace quillet
