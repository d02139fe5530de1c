#include "ui/main/form1.h"

#include <gtest/gtest.h>

#include "platform/twips.h"
#include "tests/unit/main_window_fixture.h"
#include "ui/main/form1_layout.h"
#include "ui/main/launch.h"
#include "ui/main/summon.h"
#include "ui/placement.h"
#include "ui/texts.h"

namespace quillet {
namespace {

using namespace test;
using Items = std::vector<std::wstring>;

using Form1Test = MainWindowFixture;

TEST_F(Form1Test, StartUpCentresFillsFocusesThenShowsOnTop) {
  Bytes() = "a:1\r\n\r\nb:2\r\n";
  form.Form_Load();
  EXPECT_FLOAT_EQ(window.left, 10552.5f);
  EXPECT_FLOAT_EQ(window.top, 5220.0f);
  EXPECT_EQ(list.items, (Items{L"a:1", L"", L"b:2"}));
  EXPECT_EQ(journal, (Journal{"Form1.SetLeft", "Form1.SetTop", "List1.Append", "Text1.Focus", "Form1.MakeTopmostAndShow"}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, StartUpWithoutAFileShowsAnEmptyListAndCreatesNothing) {
  form.Form_Load();
  EXPECT_TRUE(list.items.empty());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(port.files.empty());
}

TEST_F(Form1Test, UnreadableFileIsReportedAndTheProgramGoesOn) {
  port.fail_reads_with = L"另一个程序正在使用此文件，进程无法访问。";
  form.Form_Load();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"无法读取 data.txt：另一个程序正在使用此文件，进程无法访问。");
  EXPECT_EQ(messages.shown[0].title, L"Vellmar的Quillet");
  EXPECT_EQ(messages.shown[0].style, MessageStyle::kOk);
  EXPECT_TRUE(window.visible);

  list.items = {L"kept"};
  form.Command1_Click();  // "载入" fails the same way and keeps what the list has
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(list.items, Items{L"kept"});
}

TEST_F(Form1Test, EnterLooksUpTheTypedWordsInTheSavedFileWhateverTheShiftState) {
  Bytes() = "a:X\r\nb:Y\r\n:Z\r\na:W\r\n";
  form.Form_Load();
  text1.text = L"b a";
  form.Form_KeyDown(13, 0);
  EXPECT_EQ(shell.opened, (Items{L"X", L"Y", L"W"}));
  shell.opened.clear();
  text1.text = L"b";
  form.Form_KeyDown(13, 1);  // Shift
  form.Form_KeyDown(13, 2);  // Ctrl
  form.Form_KeyDown(65, 0);  // any other key does nothing
  EXPECT_EQ(shell.opened, (Items{L"Y", L"Y"}));
  EXPECT_EQ(text1.text, L"b");

  // The lookup reads the file, not the list: an unsaved entry isn't found until saved.
  list.items.insert(list.items.begin(), L"new:N");
  text1.text = L"new";
  shell.opened.clear();
  form.Command5_Click();
  EXPECT_TRUE(shell.opened.empty());
  form.Command3_Click();
  form.Command5_Click();
  EXPECT_EQ(shell.opened, Items{L"N"});
}

TEST_F(Form1Test, TargetsStartInTheirOwnFolderWithVariablesExpanded) {
  Bytes() = "p:C:\\Tools\\p.exe\r\n"          // an existing program
            "p:%TOOLS%\\sub\\\r\n"            // a folder, through a variable
            "p:D:\\\r\n"                        // a drive's root holds itself
            "p:C:\\Gone\\x.exe\r\n"           // missing: the shell says so, no folder
            "p:%NOPE%\\%TOOLS%\\p.exe\r\n"    // an unset name stays as written
            "p:notepad.exe C:\\Tools\\a.txt\r\n"
            "p:https://example.org/a\r\n"
            "p:\\\\server\\share\\s.exe\r\n";  // network paths are not probed
  env.variables = {{L"TOOLS", L"C:\\Tools"}};
  env.paths = {L"C:\\Tools\\p.exe", L"C:\\Tools\\sub\\", L"D:\\", L"\\\\server\\share\\s.exe"};
  text1.text = L"p";
  form.Command5_Click();
  EXPECT_EQ(shell.opened, (Items{L"C:\\Tools\\p.exe", L"C:\\Tools\\sub\\", L"D:\\", L"C:\\Gone\\x.exe",
                                 L"%NOPE%\\C:\\Tools\\p.exe", L"notepad.exe C:\\Tools\\a.txt",
                                 L"https://example.org/a", L"\\\\server\\share\\s.exe"}));
  EXPECT_EQ(shell.directories,
            (Items{L"C:\\Tools", L"C:\\Tools", L"D:\\", L"", L"", L"", L"", L""}));
  form.Image1_Click();
  EXPECT_EQ(shell.directories.back(), L"");
}

TEST(ExpandVariablesTest, ReadsNamesAsTheSystemDoes) {
  FakeEnvironment env;
  env.variables = {{L"A", L"1"}, {L"B", L"%A%"}, {L"E", L""}};
  EXPECT_EQ(ExpandVariables(L"%A%%A%x", env), L"11x");
  EXPECT_EQ(ExpandVariables(L"%B%", env), L"%A%");  // one pass: a value is not expanded again
  EXPECT_EQ(ExpandVariables(L"[%E%]", env), L"[]");
  EXPECT_EQ(ExpandVariables(L"%NO%A%", env), L"%NO1");  // the unset name's closing % opens the next
  EXPECT_EQ(ExpandVariables(L"50% off %", env), L"50% off %");
  EXPECT_EQ(ExpandVariables(L"%%A%", env), L"%1");
  EXPECT_EQ(ExpandVariables(L"%A", env), L"%A");
}

TEST_F(Form1Test, ReloadAppendsSaveWritesAndNeitherTouchesDataChanged) {
  Bytes() = "a:1\r\nb:2\r\n";
  form.Form_Load();
  form.Command1_Click();
  EXPECT_EQ(list.items, (Items{L"a:1", L"b:2", L"a:1", L"b:2"}));
  form.Command3_Click();
  EXPECT_EQ(Bytes(), "a:1\r\nb:2\r\na:1\r\nb:2\r\n");
  form.Command2_Click();
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(Bytes(), "a:1\r\nb:2\r\na:1\r\nb:2\r\n");  // clearing leaves the file
  EXPECT_EQ(state.DataChanged, 0);
}

TEST_F(Form1Test, CloseWritesOnlyWhenTheListChanged) {
  Bytes() = "a:1\r\nb:2";  // not CR LF-terminated: any write would show
  form.Form_Load();
  form.Command2_Click();
  EXPECT_TRUE(form.Image3_Click());
  EXPECT_EQ(Bytes(), "a:1\r\nb:2");
  EXPECT_TRUE(app.quit);

  state.DataChanged = 1;
  app.quit = false;
  EXPECT_TRUE(form.Image3_Click());
  EXPECT_EQ(Bytes(), "\r\n");  // the cleared list
  EXPECT_TRUE(app.quit);
}

TEST_F(Form1Test, FailedSaveButtonReportsAndKeepsEverything) {
  Bytes() = "a:1\r\n";
  form.Form_Load();
  state.DataChanged = 1;
  list.items.push_back(L"b:2");
  port.fail_writes_with = L"拒绝访问。";
  form.Command3_Click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"无法写入 data.txt：拒绝访问。");
  EXPECT_EQ(messages.shown[0].style, MessageStyle::kOk);
  EXPECT_EQ(list.items, (Items{L"a:1", L"b:2"}));
  EXPECT_EQ(state.DataChanged, 1);
  EXPECT_EQ(Bytes(), "a:1\r\n");
}

TEST_F(Form1Test, FailedSaveAtCloseAsksAndCancelKeepsTheProgramRunning) {
  form.Form_Load();
  state.DataChanged = 1;
  list.items = {L"k:\uD55C"};  // not in code page 936
  messages.answers = {MessageAnswer::kCancel, MessageAnswer::kOk};

  EXPECT_FALSE(form.Image3_Click());
  EXPECT_FALSE(app.quit);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, std::wstring(kWriteFailedPrefix) + kUnstorableTextMessage + kQuitAnywaySuffix);
  EXPECT_EQ(messages.shown[0].style, MessageStyle::kOkCancel);
  EXPECT_EQ(list.items, Items{L"k:\uD55C"});
  EXPECT_EQ(state.DataChanged, 1);
  EXPECT_TRUE(port.files.empty());

  EXPECT_TRUE(form.Image3_Click());  // OK: quit, losing the change
  EXPECT_TRUE(app.quit);
}

// The system's scale at sign-in was 100 %; the monitor is at 150 % now. The
// window is made and centred in the monitor's scale: the whole designed size,
// close icon included.
TEST_F(Form1Test, StartsAtTheSizeAndCentreOfTheMonitorsScale) {
  screen.primary = {{0, 0, 1920, 1080}, 144};
  EXPECT_EQ(InitialWindowRect(screen.primary, kForm1Width, kForm1Height).left, 575);
  const PixelRect r = InitialWindowRect(screen.primary, kForm1Width, kForm1Height);
  EXPECT_EQ(r.top, 252);
  EXPECT_EQ(r.right - r.left, 770);
  EXPECT_EQ(r.bottom - r.top, 576);
  // The start-up centres it in the same twips: the same pixel at 144 DPI.
  window.dpi = 144;
  form.Form_Load();
  EXPECT_FLOAT_EQ(window.left, 5752.5f);
  EXPECT_EQ(TwipsToPixels(window.left, window.dpi), r.left);
  EXPECT_EQ(TwipsToPixels(window.top, window.dpi), r.top);
  // At 100 % on a monitor left of the origin nothing changes but the place.
  const PixelRect at96 = InitialWindowRect({{-1920, 0, 0, 1080}, 96}, kForm1Width, kForm1Height);
  EXPECT_EQ(at96.left, -1920 + 704);
  EXPECT_EQ(at96.right - at96.left, 513);
}

TEST_F(Form1Test, ASaveAsksBeforeOverwritingWhatAnotherProgramWrote) {
  Bytes() = "a:1\r\n";
  form.Form_Load();
  state.DataChanged = 1;
  list.items.push_back(L"b:2");
  Bytes() = "a:1\r\nhand:edited\r\n";  // changed by hand meanwhile

  messages.answers = {MessageAnswer::kCancel};
  EXPECT_FALSE(form.Image3_Click());  // Cancel: nothing written, still running
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"data.txt 在读入后已被其他程序修改。\n\n要用列表覆盖它吗？");
  EXPECT_EQ(messages.shown[0].title, L"Vellmar的Quillet");
  EXPECT_EQ(messages.shown[0].style, MessageStyle::kOkCancelDefaultCancel);
  EXPECT_EQ(Bytes(), "a:1\r\nhand:edited\r\n");
  EXPECT_FALSE(app.quit);

  messages.answers = {MessageAnswer::kCancel};
  form.Command3_Click();  // "保存" asks the same
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(Bytes(), "a:1\r\nhand:edited\r\n");

  form.Command3_Click();  // OK overwrites; what was written is now what was seen
  EXPECT_EQ(Bytes(), "a:1\r\nb:2\r\n");
  EXPECT_TRUE(form.Image3_Click());
  EXPECT_EQ(messages.shown.size(), 3u);
  EXPECT_TRUE(app.quit);
}

TEST_F(Form1Test, ReloadCreationAndRemovalCountAsChangesOrReads) {
  form.Form_Load();  // no data.txt yet
  state.DataChanged = 1;
  Bytes() = "made:elsewhere\r\n";  // created meanwhile
  messages.answers = {MessageAnswer::kCancel};
  EXPECT_FALSE(form.Image3_Click());
  EXPECT_EQ(messages.shown.size(), 1u);

  form.Command1_Click();  // "载入" reads it: saving no longer asks
  EXPECT_EQ(list.items, std::vector<std::wstring>{L"made:elsewhere"});
  form.Command3_Click();
  EXPECT_EQ(messages.shown.size(), 1u);

  port.files.clear();  // removed meanwhile
  messages.answers = {MessageAnswer::kCancel};
  form.Command3_Click();
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_TRUE(port.files.empty());

  // A file that can't be read now doesn't ask: the save says why it fails.
  Bytes() = "made:elsewhere\r\n";
  port.fail_reads_with = L"共享冲突。";
  form.Command3_Click();
  EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(Form1Test, AFileTooLargeForMemoryIsAReadFailureAndBlocksSaving) {
  Bytes() = "a:1\r\nb:2\r\n";
  port.out_of_memory = true;
  form.Form_Load();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"无法读取 data.txt：" + port.OutOfMemoryMessage());
  EXPECT_TRUE(list.items.empty());
  EXPECT_TRUE(window.visible);
  state.DataChanged = 1;
  EXPECT_FALSE(form.ConfigSave());
  EXPECT_EQ(Bytes(), "a:1\r\nb:2\r\n");
}

}  // namespace
}  // namespace quillet

namespace quillet {
namespace {

using namespace test;

struct Form1PlacementTest : Form1Test {
  // The window as the platform reports it: 513 x 384 pixels at (x, y).
  void Place(int x, int y) {
    window.left = x * 15.0f, window.top = y * 15.0f;
    window.rect = {x, y, x + 513, y + 384};
  }
};

TEST_F(Form1PlacementTest, TimerDocksAndRestoresThroughTheWindow) {
  window.visible = true;
  Place(700, 3);
  screen.cursor = {1500, 900};
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.top, -5720);
  EXPECT_FLOAT_EQ(window.left, 10500);
  EXPECT_EQ(journal, Journal{"Form1.SetTop"});

  // Hidden behind the editor and touched on its sliver: back and shown.
  window.visible = false;
  Place(700, -381);
  screen.cursor = {800, 1};
  journal.clear();
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.top, -10);
  EXPECT_EQ(journal, (Journal{"Form1.SetTop", "Form1.Show"}));
}

TEST_F(Form1PlacementTest, TheHotKeyBringsADockedWindowOutAndItStaysOutWhileActive) {
  Place(-513 + 3, 300);  // docked at the left, hidden behind the editor
  screen.cursor = {1500, 900};
  form.Form_HotKey();
  EXPECT_FLOAT_EQ(window.left, -10);
  EXPECT_EQ(journal, (Journal{"Form1.SetLeft", "Form1.Show", "Form1.Activate", "Text1.Focus", "Text1.SelectAll"}));

  // Out and active, the pointer away: the ticks leave it where it is.
  Place(-1, 300);
  journal.clear();
  form.Timer1_Timer();
  form.Timer1_Timer();
  EXPECT_TRUE(journal.empty());
  // Once it has lost the activation, the next tick docks it again, and so it
  // does later on even when the user activates it by hand.
  window.active = false;
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.left, -7655);
  window.active = true;
  Place(-1, 300);
  journal.clear();
  form.Timer1_Timer();
  EXPECT_EQ(journal, Journal{"Form1.SetLeft"});

  // Summoned where it isn't docked: not moved, still brought to the keyboard.
  Place(700, 300);
  journal.clear();
  form.Form_HotKey();
  EXPECT_EQ(journal, (Journal{"Form1.Show", "Form1.Activate", "Text1.Focus", "Text1.SelectAll"}));
}

TEST(SummonTest, TheToolTipSaysWhenAnotherProgramHoldsTheKey) {
  EXPECT_EQ(Text1ToolTip(false), kText1ToolTip);
  EXPECT_EQ(Text1ToolTip(true),
            std::wstring(kText1ToolTip) + L"\n快捷键 Ctrl+Shift+F9 已被其他程序占用，无法用它唤出本窗口");
}

TEST_F(Form1PlacementTest, TimerTakesZerosForWhatItCouldNotRead) {
  Place(700, 300);
  screen.cursor = {800, 400};  // over the window, but the read fails
  screen.cursor_fails = true;
  window.rect_fails = true;    // the last good rectangle must not be used either
  form.Timer1_Timer();
  EXPECT_FLOAT_EQ(window.top, -5720);
}

TEST_F(Form1PlacementTest, DragsUnlessMaximisedAndTheHomePageChangesNothingElse) {
  form.pmenu_MouseMove();
  form.title_MouseMove();
  window.state = WindowState::kMaximized;
  form.pmenu_MouseMove();
  EXPECT_EQ(journal, (Journal{"Form1.Drag", "Form1.Drag"}));

  journal.clear();
  form.Image1_Click();
  EXPECT_EQ(shell.opened, (std::vector<std::wstring>{L"https://quillet.vellmar.example/products/tolv/index.html?v=1.0"}));
  EXPECT_TRUE(journal.empty());
}

}  // namespace
}  // namespace quillet
