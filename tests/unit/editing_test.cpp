// The editor, the entry menu and the list's click and drop, wired together as
// the program wires them.
#include <gtest/gtest.h>

#include <functional>
#include <string_view>

#include "tests/unit/fakes.h"
#include "ui/edit/form2.h"
#include "ui/edit/sett.h"
#include "ui/main/form1.h"
#include "ui/texts.h"

namespace quillet {
namespace {

using namespace test;
using Items = std::vector<std::wstring>;
const std::string kFive = "a:1\r\nb:2\r\nc:3\r\nd:4\r\ne:5\r\n";

struct EditingTest : MainWindowFixture {
  FakeForm2Views views{events};
  FakeMenus menus;
  Form2 form2{Form2Wiring{views, window, entries, text1, screen, messages, file, state}};
  Sett sett{SettWiring{menus, window, entries, form2, messages, file, state}};

  void SetUp() override {
    form.Connect(sett, form2);
    Bytes() = kFive;
    form.Form_Load();
    events.seen.clear();
  }
  FakeForm2View& Editor() { return *views.last; }
  bool EditorShown() const { return views.last != nullptr && views.last->window_.visible; }
  void Type(const std::wstring& keyword, const std::wstring& target) {
    Editor().text1_.text = keyword, Editor().text2_.text = target;
  }
  // A left click on the list with `selected` selected, choosing the menu item `caption` (empty: none).
  void Choose(int selected, std::wstring_view caption) {
    list.selected = selected, menus.choice = caption;
    form.List1_MouseUp(MouseButton::kLeft);
  }
};

// 新增一个 hides the main window for the editor. OK refuses what can't be
// stored, over the editor, else puts the entry on top, marks the list changed
// and brings the main window back.
TEST_F(EditingTest, OkRefusesInOrderOverTheEditorElseAddsOnTopAndBringsTheMainWindowBack) {
  Choose(2, L"新增一个");
  EXPECT_TRUE(events.InOrder("Form1.Hide", "Form2.Show"));
  const struct {
    std::wstring keyword, target;
    const wchar_t* message;
  } cases[] = {{L"", L"", kKeywordEmpty},
               {L"k", L"", kTargetEmpty},
               {L"a b", L"x", kKeywordHasSpace},
               {L"a\nb", L"x", kHasLineBreak},
               {L"k", L"C:\\a\r\nb:c", kHasLineBreak},
               {L"\uD55C", L"x", kUnstorable},
               {L"k", L"C:\\\U0001F600", kUnstorable}};
  for (const auto& c : cases) {
    Type(c.keyword, c.target);
    form2.Label3_Click();
    EXPECT_EQ(messages.shown.back().text, c.message);
    EXPECT_EQ(messages.shown.back().owner, &Editor().window());  // it blocks the editor, not the hidden main window
    EXPECT_TRUE(EditorShown() && list.rows.size() == 5 && state.DataChanged == 0) << c.message;
  }
  EXPECT_EQ(messages.shown.size(), std::size(cases));
  // Full-width blank and tab are no blanks; a target with blanks is fine.
  Type(L"a\u3000b\tc", L"C:\\Program Files\\x.exe");
  events.seen.clear();
  form2.Label3_Click();
  EXPECT_EQ(list.rows.front(), L"a\u3000b\tc:C:\\Program Files\\x.exe");
  EXPECT_TRUE(!EditorShown() && events.InOrder("Form2.Hide", "Form1.Show") &&
              events.InOrder("Form1.Show", "Text1.Focus") && state.DataChanged == 1);
}

// 编辑它 fills the editor from the line split at its first colon and marks
// the list changed at once (closing without OK then saves).
TEST_F(EditingTest, EditFillsTheEditorFromTheLineAndMarksTheListChanged) {
  entries.Set(1, L"k:a:b");
  Choose(1, L"编辑它");
  EXPECT_TRUE(Editor().text1_.text == L"k" && Editor().text2_.text == L"a:b" && window.visible);
  form2.Image3_Click();
  EXPECT_EQ(state.DataChanged, 1);
  entries.Set(2, L"abc");  // no colon: the whole line is the target
  Choose(2, L"编辑它");
  EXPECT_EQ(Editor().text2_.text, L"abc");
  form2.Image3_Click();
  Choose(0, L"新增一个");
  EXPECT_EQ(Editor().text1_.text, L"");  // a fresh editor
}

TEST_F(EditingTest, OkReplacesTheItemThatWasOpenedWhereverItWentElseAddsOnTop) {
  const struct {
    const char* change;
    std::function<void()> run;
    Items after;
  } rows[] = {
      {"nothing", [] {}, {L"a:1", L"b:2", L"k:v", L"d:4", L"e:5"}},
      {"a click on another row", [this] { Choose(4, L""); }, {L"a:1", L"b:2", L"k:v", L"d:4", L"e:5"}},
      {"删除它 above", [this] { Choose(0, L"删除它"); }, {L"b:2", L"k:v", L"d:4", L"e:5"}},
      {"删除它 below", [this] { Choose(3, L"删除它"); }, {L"a:1", L"b:2", L"k:v", L"e:5"}},
      {"an insert above", [this] { entries.Insert(1, L"n:0"); }, {L"a:1", L"n:0", L"b:2", L"k:v", L"d:4", L"e:5"}},
      {"删除它 on it", [this] { Choose(2, L"删除它"); }, {L"k:v", L"a:1", L"b:2", L"d:4", L"e:5"}},
      {"清空", [this] { form.Command2_Click(); }, {L"k:v"}},
      {"删除所有", [this] { Choose(0, L"删除所有"); }, {L"k:v"}},
      {"载入",
       [this] { form.Command1_Click(); },
       {L"a:1", L"b:2", L"k:v", L"d:4", L"e:5", L"a:1", L"b:2", L"c:3", L"d:4", L"e:5"}},
      {"a drop: adding now",
       [this] { form.List1_OLEDragDrop(FakeDrop(L"C:\\new.exe")); },
       {L"k:v", L"a:1", L"b:2", L"c:3", L"d:4", L"e:5"}},
  };
  for (const auto& row : rows) {
    Bytes() = kFive;
    entries.Clear();
    form.Command1_Click();
    Choose(2, L"编辑它");  // 编辑它 on c:3
    row.run();
    Type(L"k", L"v");
    form2.Label3_Click();
    EXPECT_EQ(list.rows, row.after) << row.change;
  }
}

// The left button opens the entry menu at the pointer, the menu key below the
// selected item; either remembers the selection for the menu's commands.
TEST_F(EditingTest, TheMenuOpensOnTheLeftButtonOrTheMenuKeyAndActsOnlyOnAnItemThatIsThere) {
  list.selected = 2;
  menus.choice = L"删除它";
  form.List1_MouseUp(MouseButton::kRight);  // right and middle buttons: no menu
  form.List1_MouseUp(MouseButton::kMiddle);
  EXPECT_TRUE(menus.opened.empty());
  form.List1_MenuKey();
  EXPECT_TRUE(menus.opened.back()->x == 100 && menus.opened.back()->y == 200 + 3 * 16);
  EXPECT_EQ(list.rows, (Items{L"a:1", L"b:2", L"d:4", L"e:5"}));  // without asking
  EXPECT_TRUE(messages.shown.empty() && state.DataChanged == 1);
  Choose(0, L"删除它");
  EXPECT_TRUE(list.rows.size() == 3 && !menus.opened.back());

  state.DataChanged = 0;
  for (const int selected : {-1, 3}) {  // none, and one past the last
    Choose(selected, L"编辑它");
    Choose(selected, L"删除它");
  }
  EXPECT_TRUE(!EditorShown() && list.rows.size() == 3 && state.DataChanged == 0);
  // The menu key with nothing selected: -1, as after a click, and the menu at the list's top left.
  list.selected = -1;
  form.List1_MenuKey();
  EXPECT_TRUE(state.SelectedIndex == -1 && menus.opened.back()->y == 200);
}

// Cancel, no backup (while the clearing write would succeed), or no clearing
// write: the list and the file stay whole, and the failing file is named.
TEST_F(EditingTest, DeleteAllAsksOverTheMainWindowKeepsABackupAndWritesOneEmptyLine) {
  const std::wstring backup = BackupPathFor(kPath);
  const struct {
    const wchar_t* read_fault;
    std::wstring write_fault_at;
    std::wstring text;
  } failures[] = {
      {L"", backup, kBackupFailedPrefix + std::wstring(L"拒绝访问。")},
      {L"共享冲突。", L"", kBackupFailedPrefix + std::wstring(L"共享冲突。")},
      {L"", kPath, kWriteFailedPrefix + std::wstring(L"拒绝访问。")},
  };
  messages.answers = {MessageAnswer::kCancel};
  Choose(0, L"删除所有");
  EXPECT_EQ(messages.shown.at(0).owner, nullptr);
  for (const auto& f : failures) {
    port.fail_reads_with = f.read_fault, port.fail_writes_to = {{f.write_fault_at, L"拒绝访问。"}};
    Choose(0, L"删除所有");  // OK
    EXPECT_EQ(messages.shown.back().text, f.text);
    EXPECT_TRUE(list.rows.size() == 5 && Bytes() == kFive) << f.text;
  }
  port.fail_writes_to.clear(), port.fail_reads_with.clear();
  port.files[backup] = "an older backup";
  Choose(0, L"删除所有");
  EXPECT_TRUE(list.rows.empty() && Bytes() == "\r\n" && port.files[backup] == kFive);
}

TEST_F(EditingTest, ADropIsTheTextElseTheFirstFile) {
  form.List1_OLEDragDrop(FakeDrop(std::nullopt, {L"C:\\one.txt", L"C:\\two.txt"}));
  EXPECT_EQ(Editor().text2_.text, L"C:\\one.txt");
  // A drop on the list while the editor is open brings it forward as it is.
  // (The journeys drop file lists on the target box.)
  Editor().text1_.text = L"k";
  const FakeDrop both(L" https://example.org/\r\nx ", {L"C:\\ignored.txt"});
  form.List1_OLEDragDrop(both);
  form2.Text2_OLEDragDrop(FakeDrop());  // nothing usable changes nothing
  EXPECT_TRUE(Editor().text1_.text == L"k" && Editor().text2_.text == both.text);

  form2.Image3_Click();
  EXPECT_TRUE(window.visible);
  events.seen.clear();
  form.List1_OLEDragDrop(FakeDrop());
  EXPECT_TRUE(!EditorShown() && events.seen.empty());
}

TEST_F(EditingTest, AnEditorThatCantBeMadeBringsTheMainWindowBackAndSaysWhy) {
  views.fail_with = L"窗口句柄无效。";
  Choose(0, L"新增一个");  // 新增一个 hides the main window first
  EXPECT_TRUE(window.visible && !EditorShown());
  EXPECT_EQ(messages.shown.back().text, kEditorFailedPrefix + views.fail_with);
  Choose(1, L"编辑它");  // 编辑它: nothing marked changed
  EXPECT_EQ(state.DataChanged, 0);
  views.fail_with.clear();  // the next opening works again
  form.List1_OLEDragDrop(FakeDrop(L"C:\\x.exe"));
  EXPECT_EQ(Editor().text2_.text, L"C:\\x.exe");
}

}  // namespace
}  // namespace quillet
