// The editor, the entry menu and the list's click and drop, wired together as
// the program wires them.
#include <gtest/gtest.h>

#include "tests/unit/main_window_fixture.h"
#include "ui/edit/form2.h"
#include "ui/edit/sett.h"
#include "ui/main/form1.h"
#include "ui/texts.h"

namespace quillet {
namespace {

using namespace test;
using Items = std::vector<std::wstring>;

struct EditingTest : MainWindowFixture {
  FakeForm2Views views{journal};
  FakeMenus menus;
  Form1& form1 = form;
  FakeWindow& form1_window = window;
  FakeTextBox& form1_text1 = text1;
  Form2 form2{Form2Parts{views, window, list, text1, screen, messages, file, state}};
  Sett sett{SettParts{menus, window, list, form2, messages, file, state}};

  void SetUp() override {
    form1.Connect(sett, form2);
    Bytes() = "a:1\r\nb:2\r\nc:3\r\nd:4\r\ne:5\r\n";
    form1.Form_Load();
    journal.clear();
  }
  FakeForm2View& Editor() { return *views.last; }
  void Type(const std::wstring& keyword, const std::wstring& target) {
    Editor().text1_.text = keyword;
    Editor().text2_.text = target;
  }
  // A left click on the list with `selected` selected, choosing menu item `choice`.
  void Choose(int selected, int choice) {
    list.selected = selected;
    menus.choice = choice;
    form1.List1_MouseUp(1);
  }
};

TEST_F(EditingTest, OkRefusesInOrderAndLeavesEverythingAsItWas) {
  Choose(0, 0);  // 新增一个
  struct Case {
    std::wstring keyword, target;
    const wchar_t* message;
  };
  const Case cases[] = {
      {L"", L"", kKeywordEmpty},
      {L"", L"C:\\a.exe", kKeywordEmpty},
      {L"k", L"", kTargetEmpty},
      {L"a b", L"x", kKeywordHasSpace},
      {L" a", L"x", kKeywordHasSpace},
      {L"a ", L"x", kKeywordHasSpace},
      {L"a\nb", L"x", kHasLineBreak},
      {L"k", L"C:\\a\r\nb:c", kHasLineBreak},
      {L"\uD55C", L"x", kUnstorable},
      {L"k", L"C:\\\U0001F600", kUnstorable},
  };
  for (const Case& c : cases) {
    Type(c.keyword, c.target);
    messages.shown.clear();
    form2.Label3_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, c.message);
    EXPECT_EQ(messages.shown[0].title, L"Vellmar的Quillet");
    EXPECT_EQ(messages.shown[0].style, MessageStyle::kOk);
    EXPECT_TRUE(form2.IsOpen());
    EXPECT_EQ(Editor().text1_.text, c.keyword);
    EXPECT_EQ(list.items.size(), 5u);
    EXPECT_EQ(state.DataChanged, 0);
    EXPECT_FALSE(form1_window.visible);
  }
  // Full-width blank and tab are no blanks; a target with blanks is fine.
  Type(L"a\u3000b\tc", L"C:\\Program Files\\x.exe");
  form2.Label3_Click();
  EXPECT_EQ(list.items[0], L"a\u3000b\tc:C:\\Program Files\\x.exe");
}

TEST_F(EditingTest, AddPutsTheEntryOnTopShowsTheMainWindowAndMarksTheListChanged) {
  Choose(2, 0);
  EXPECT_EQ(journal, (Journal{"Form1.Hide", "Form2.Create", "Form2.SetLeft", "Form2.SetTop", "Form2.MakeTopmost",
                              "Form2.Show", "Form2.Activate"}));
  EXPECT_FLOAT_EQ(Editor().window_.left, 28800 / 2.0f - 6510 / 2.0f);
  EXPECT_EQ(state.EditMode, 0);
  Type(L"k", L"C:\\a.exe");
  journal.clear();
  form2.Label3_Click();
  EXPECT_EQ(list.items, (Items{L"k:C:\\a.exe", L"a:1", L"b:2", L"c:3", L"d:4", L"e:5"}));
  EXPECT_FALSE(form2.IsOpen());
  EXPECT_EQ(journal, (Journal{"Form2.Hide", "Form1.Show", "Text1.Focus"}));
  EXPECT_EQ(state.DataChanged, 1);

  Choose(0, 0);
  EXPECT_EQ(Editor().text1_.text, L"");  // a fresh editor
  Type(L"a:b", L"c");
  form2.Label3_Click();
  EXPECT_EQ(list.items[0], L"a:b:c");

  // Not found until saved; then the close writes it.
  form1_text1.text = L"k";
  form1.Command5_Click();
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_TRUE(form1.Image3_Click());
  EXPECT_EQ(Bytes(), "a:b:c\r\nk:C:\\a.exe\r\na:1\r\nb:2\r\nc:3\r\nd:4\r\ne:5\r\n");
}

TEST_F(EditingTest, EditReplacesInPlaceAndMarksTheListChangedAtOnce) {
  list.items[1] = L"k:a:b";
  Choose(1, 1);  // 编辑它
  EXPECT_EQ(Editor().text1_.text, L"k");
  EXPECT_EQ(Editor().text2_.text, L"a:b");
  EXPECT_TRUE(form1_window.visible);
  EXPECT_EQ(state.EditMode, 1);
  EXPECT_EQ(state.DataChanged, 1);
  Type(L"k2", L"C:\\Tools\\a.exe");
  form2.Label3_Click();
  EXPECT_EQ(list.items, (Items{L"a:1", L"k2:C:\\Tools\\a.exe", L"c:3", L"d:4", L"e:5"}));

  // Closed without OK: the list stays, DataChanged stays 1, and closing saves.
  Choose(4, 1);
  form2.Image3_Click();
  EXPECT_EQ(list.items.size(), 5u);
  EXPECT_TRUE(form1.Image3_Click());
  EXPECT_EQ(Bytes(), "a:1\r\nk2:C:\\Tools\\a.exe\r\nc:3\r\nd:4\r\ne:5\r\n");
}

TEST_F(EditingTest, EditOfAnItemThatWentAwayAddsItOnTop) {
  Choose(4, 1);
  EXPECT_EQ(Editor().text2_.text, L"5");
  Choose(4, 2);  // 删除它, while the editor is open
  Type(L"e", L"6");
  form2.Label3_Click();
  EXPECT_EQ(list.items, (Items{L"e:6", L"a:1", L"b:2", L"c:3", L"d:4"}));
}

TEST_F(EditingTest, LineWithoutAColonEditsAsATargetAlone) {
  list.items[0] = L"";
  list.items[1] = L"abc";
  Choose(0, 1);
  EXPECT_EQ(Editor().text1_.text, L"");
  EXPECT_EQ(Editor().text2_.text, L"");
  Choose(1, 1);
  EXPECT_EQ(Editor().text1_.text, L"");
  EXPECT_EQ(Editor().text2_.text, L"abc");
  EXPECT_EQ(views.created, 1);  // the open editor is reused
}

TEST_F(EditingTest, DeleteRemovesWithoutAskingAndLeavesTheFileUntilSaved) {
  Choose(2, 2);
  EXPECT_EQ(list.items, (Items{L"a:1", L"b:2", L"d:4", L"e:5"}));
  EXPECT_EQ(state.DataChanged, 1);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Bytes(), "a:1\r\nb:2\r\nc:3\r\nd:4\r\ne:5\r\n");
}

TEST_F(EditingTest, CommandsOnNoItemDoNothing) {
  for (int choice : {1, 2}) {
    Choose(-1, choice);
    EXPECT_EQ(state.SelectedIndex, -1);
  }
  list.items.clear();
  Choose(-1, 1);
  Choose(-1, 2);
  EXPECT_FALSE(form2.IsOpen());
  EXPECT_EQ(state.DataChanged, 0);
  EXPECT_EQ(menus.created, 1);  // sett is made once, at the first pop-up
  EXPECT_EQ(menus.popups, 4);
  EXPECT_EQ(menus.captions, (Items{L"新增一个", L"编辑它", L"删除它", L"删除所有"}));
}

TEST_F(EditingTest, DeleteAllAsksFirstAndWritesOneEmptyLine) {
  messages.answers = {MessageAnswer::kCancel};
  Choose(0, 3);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"Do you want to delete all ?");
  EXPECT_EQ(messages.shown[0].title, L"Tips");
  EXPECT_EQ(messages.shown[0].style, MessageStyle::kOkCancel);
  EXPECT_EQ(list.items.size(), 5u);
  EXPECT_EQ(Bytes(), "a:1\r\nb:2\r\nc:3\r\nd:4\r\ne:5\r\n");

  Choose(0, 3);  // OK
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(Bytes(), "\r\n");
  EXPECT_EQ(state.DataChanged, 0);

  port.fail_writes_with = L"拒绝访问。";
  Choose(0, 3);
  ASSERT_EQ(messages.shown.size(), 4u);
  EXPECT_EQ(messages.shown[3].text, L"无法写入 data.txt：拒绝访问。");
}

TEST_F(EditingTest, OnlyTheLeftButtonOpensTheMenu) {
  list.selected = 3;
  form1.List1_MouseUp(2);
  form1.List1_MouseUp(4);
  EXPECT_EQ(menus.popups, 0);
  EXPECT_EQ(state.SelectedIndex, 0);
  form1.List1_MouseUp(1);
  EXPECT_EQ(menus.popups, 1);
  EXPECT_EQ(state.SelectedIndex, 3);
}

TEST_F(EditingTest, TheMenuKeyOpensTheMenuAtTheSelectedItemAndItsCommandsActOnIt) {
  list.selected = 2;
  menus.choice = 2;  // 删除它
  form1.List1_MenuKey();
  EXPECT_EQ(state.SelectedIndex, 2);
  ASSERT_TRUE(menus.at);
  EXPECT_EQ(menus.at->x, 100);
  EXPECT_EQ(menus.at->y, 200 + 3 * 16);  // below the item
  EXPECT_EQ(list.items, (Items{L"a:1", L"b:2", L"d:4", L"e:5"}));
  // No selection: -1, as after a click, with the menu at the list's top left.
  list.selected = -1;
  menus.choice = -1;
  form1.List1_MenuKey();
  EXPECT_EQ(state.SelectedIndex, -1);
  EXPECT_EQ(menus.popups, 2);
  EXPECT_EQ(menus.at->y, 200);
}

TEST_F(EditingTest, DropOnTheListOpensTheEditorWithTheValue) {
  FakeDrop files;
  files.files = {L"C:\\one.txt", L"C:\\two.txt", L"C:\\three.txt"};
  form1.List1_OLEDragDrop(files);
  EXPECT_EQ(journal, (Journal{"Form1.Hide", "Form2.Create", "Form2.SetLeft", "Form2.SetTop", "Form2.MakeTopmost",
                              "Form2.Show", "Form2.Activate", "Form2.Text2.SetText"}));
  EXPECT_EQ(Editor().text2_.text, L"C:\\one.txt");
  EXPECT_EQ(state.EditMode, 0);
  form2.Image3_Click();
  EXPECT_TRUE(form1_window.visible);

  FakeDrop text;
  text.text = L"  https://example.org/\r\nsecond line ";
  text.files = {L"C:\\ignored.txt"};
  form1.List1_OLEDragDrop(text);
  EXPECT_EQ(Editor().text2_.text, L"  https://example.org/\r\nsecond line ");

  // Onto the target box: replaces it, first file only, text first.
  Editor().text2_.text = L"typed";
  FakeDrop two;
  two.files = {L"C:\\a.txt", L"C:\\b.txt"};
  form2.Text2_OLEDragDrop(two);
  EXPECT_EQ(Editor().text2_.text, L"C:\\a.txt");
  form2.Text2_OLEDragDrop(text);
  EXPECT_EQ(Editor().text2_.text, L"  https://example.org/\r\nsecond line ");
  form2.Text2_OLEDragDrop(FakeDrop{});
  EXPECT_EQ(Editor().text2_.text, L"  https://example.org/\r\nsecond line ");
}

TEST_F(EditingTest, DropOfNothingUsableIsIgnored) {
  form1.List1_OLEDragDrop(FakeDrop{});
  EXPECT_TRUE(form1_window.visible);
  EXPECT_FALSE(form2.IsOpen());
  EXPECT_TRUE(journal.empty());
}

TEST_F(EditingTest, DropWhileEditingSwitchesTheEditorToAdding) {
  Choose(1, 1);
  FakeDrop drop;
  drop.text = L"C:\\new.exe";
  form1.List1_OLEDragDrop(drop);
  EXPECT_FALSE(form1_window.visible);
  EXPECT_EQ(views.created, 1);
  EXPECT_EQ(Editor().text1_.text, L"b");
  form2.Label3_Click();
  EXPECT_EQ(list.items, (Items{L"b:C:\\new.exe", L"a:1", L"b:2", L"c:3", L"d:4", L"e:5"}));
}

TEST_F(EditingTest, AnEditorThatCantBeMadeBringsTheMainWindowBackAndSaysWhy) {
  views.fail_with = L"窗口句柄无效。";
  Choose(0, 0);  // 新增一个 hides the main window first
  EXPECT_TRUE(form1_window.visible);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"无法打开编辑窗口：窗口句柄无效。");
  EXPECT_FALSE(form2.IsOpen());

  Choose(1, 1);  // 编辑它: nothing marked changed
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(state.DataChanged, 0);
  EXPECT_EQ(state.EditMode, 0);

  FakeDrop drop;
  drop.text = L"C:\\x.exe";
  form1.List1_OLEDragDrop(drop);
  EXPECT_TRUE(form1_window.visible);
  EXPECT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(list.items.size(), 5u);

  views.fail_with.clear();  // the next opening works again
  form1.List1_OLEDragDrop(drop);
  EXPECT_EQ(Editor().text2_.text, L"C:\\x.exe");
}

TEST_F(EditingTest, RefusalsBelongToTheEditorAndOtherMessagesToTheMainWindow) {
  Choose(0, 0);
  Type(L"a b", L"x");
  form2.Label3_Click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].owner, &Editor().window());
  messages.answers = {MessageAnswer::kCancel};
  Choose(0, 3);  // 删除所有 asks over the main window
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].owner, nullptr);
}

}  // namespace
}  // namespace quillet
