// The decisions behind the mouse and the keyboard (button-like pictures, the
// list's gestures, the keys of both windows), and the report of an error
// stopped at a window's boundary.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/drop_data.h"
#include "platform/list_box.h"
#include "ui/click_tracker.h"
#include "ui/drag_gesture.h"
#include "ui/edit/editor_keys.h"
#include "ui/edit/selection_drag.h"
#include "ui/exception_text.h"
#include "ui/main/main_keys.h"

namespace quillet {
namespace {

// Scripts of presses (h the house icon, x the close icon, H and X the second
// press of a double-click), releases over the house (1), the cross (2) or
// neither (0), a lost capture (L) and a lost activation (A); each release
// gives the control clicked (1, 2) or none (-).
TEST(ClickTrackerTest, AClickIsAPressAndAReleaseOnTheSameControlAndADoubleClickIsOne) {
  const std::pair<const char*, const char*> scripts[] = {
      {"h1", "1"},         // a press and a release on the same control
      {"h2", "-"},         // slid onto the close icon: neither is clicked
      {"x02", "--"},       // released outside: no stale press is left for a later release
      {"hL1", "-"},        // a menu or a message box took the capture before the release
      {"h1H1h1", "1-1"},   // a double-click is one click; the next press clicks again
      {"h1AH1H1", "11-"},  // the click's action took the activation (a message box): its second press clicks
      {"h1X2", "12"},      // doubling no click of its own control
  };
  constexpr int kNowhere = ClickTracker::kNowhere;
  for (const auto& [script, clicks] : scripts) {
    ClickTracker tracker;
    std::string got;
    for (const char* c = script; *c; ++c) {
      if (std::isdigit(*c)) got += tracker.Release(*c == '0' ? kNowhere : *c - '0') == kNowhere ? '-' : *c;
      if (*c == 'L') tracker.CaptureLost();
      if (*c == 'A') tracker.Deactivated();
      if (std::strchr("hxHX", *c)) tracker.Press(std::tolower(*c) == 'h' ? 1 : 2, /*second=*/std::isupper(*c));
    }
    EXPECT_EQ(got, clicks) << script;
  }
}

// The last row has a scroll bit beside the link.
TEST(DropEffectTest, ACopyWhereAllowedElseALinkNeverAMove) {
  const unsigned rows[][2] = {{kDropCopy | kDropMove | kDropLink, kDropCopy},
                              {kDropCopy, kDropCopy},
                              {kDropLink, kDropLink},
                              {kDropMove | kDropLink, kDropLink},
                              {kDropMove, kDropNone},
                              {kDropNone, kDropNone},
                              {0x80000000u | kDropLink, kDropLink}};
  for (const auto& r : rows) EXPECT_EQ(ChooseDropEffect(r[0]), r[1]) << r[0];
}

TEST(ListSelectionTest, MovesWithItsItemAndGoesWithIt) {
  // Selected, changed at, shift, the list's new count; where the selection is then.
  const int rows[][5] = {{-1, 0, 3, 9, -1}, {4, 0, 1, 9, 5},   {4, 5, 1, 9, 4},   {4, 4, 1, 9, 5},
                         {4, 2, -2, 7, 2},  {4, 3, -2, 7, -1}, {4, 0, -9, 0, -1}, {4, 0, 0, 3, -1}};
  for (const auto& r : rows) EXPECT_EQ(SelectionAfterChange(r[0], r[1], r[2], r[3]), r[4]) << r[0] << r[1] << r[2];
}

TEST(DragGestureTest, APressDragsOnlyOutsideTheDragRectangleAndEveryButtonClicks) {
  DragGesture gesture(4, 4);
  gesture.Press(MouseButton::kLeft, {100, 50}, 69'999);
  EXPECT_TRUE(gesture.Moved({104, 46}, true).hold);  // inside: the press holds its item, no drag yet
  EXPECT_EQ(gesture.Moved({100, 55}, true).drag_item, 69'999);
  EXPECT_EQ(gesture.Moved({100, 90}, true).drag_item, -1);  // one drag per press
  gesture.Press(MouseButton::kRight, {100, 90}, 2);         // a second button during the drag clicks
  EXPECT_TRUE(gesture.Release(MouseButton::kRight));
  EXPECT_FALSE(gesture.Release(MouseButton::kLeft));  // the drop, not a click

  gesture.Press(MouseButton::kLeft, {100, 50}, 3);
  gesture.Moved({102, 51}, true);
  EXPECT_TRUE(gesture.Release(MouseButton::kLeft));
  EXPECT_FALSE(gesture.Release(MouseButton::kLeft));  // pressed elsewhere, released here
  gesture.Press(MouseButton::kLeft, {100, 390}, -1);  // on no item: never a drag
  EXPECT_FALSE(gesture.Moved({100, 300}, true).hold);
  EXPECT_TRUE(gesture.Release(MouseButton::kLeft));
  gesture.Press(MouseButton::kLeft, {100, 50}, 3);  // moves without the button disarm the press
  EXPECT_FALSE(gesture.Moved({100, 90}, false).hold);
  EXPECT_EQ(gesture.Moved({100, 95}, true).drag_item, -1);
}

TEST(SelectionDragTest, APressInTheSelectionDragsItOrPlacesTheCaret) {
  SelectionDrag drag(4, 4);
  EXPECT_TRUE(drag.Press({60, 10}, 3, 8, 5));  // selection 3..8, pressed on 5: ours
  EXPECT_TRUE(drag.Moved({90, 10}, true).drag);
  EXPECT_EQ(drag.Release(), -1);                                      // the drop ends it, no caret move
  EXPECT_TRUE(drag.Press({60, 10}, 3, 8, 5) && drag.Release() == 5);  // released where pressed: the caret goes there
  // Outside the selection, on its end, or with nothing selected: the box's own press.
  for (const auto& [from, to, at] : {std::tuple{3, 8, 1}, {3, 8, 8}, {4, 4, 4}}) {
    EXPECT_FALSE(drag.Press({60, 10}, from, to, at) || drag.Moved({90, 10}, true).drag) << from << to << at;
  }
}

KeyPress Key(int key, bool shift = false, bool ctrl = false, bool alt = false) { return {key, shift, ctrl, alt}; }

// Each key of a row, with the focus on `on`: what the window does before the
// focused control sees the key.
TEST(KeyRoutingTest, EachWindowTakesItsOwnKeysAndPassesTheRestOn) {
  using enum Form1Control;
  const KeyPress enter = Key(kKeyEnter), tab = Key(kKeyTab), apps = Key(kKeyApps), shift_f10 = Key(kKeyF10, true);
  const struct {
    std::vector<KeyPress> keys;
    std::optional<Form1Control> on;  // nothing: a control outside the tab order
    MainKeyAction want;              // key_down, press_command, focus, open_menu, consumed
  } main_rows[] = {
      // Enter launches whatever the modifiers and still reaches the control;
      // a focused list button takes it as its press.
      {{enter, Key(kKeyEnter, true, true, true), Key(kKeyEnter, false, false, true)},
       kText1,
       {true, 0, {}, false, false}},
      {{enter}, kCommand3, {true, 3, {}, false, true}},
      {{Key('A'), Key(kKeyTab, false, true)}, kText1, {}},  // Ctrl+Tab is not ours
      // Tab goes round the tab order, through the hidden buttons.
      {{tab}, kText1, {false, 0, kList1, false, true}},
      {{tab}, kCommand4, {false, 0, kText1, false, true}},
      {{Key(kKeyTab, true)}, kText1, {false, 0, kCommand4, false, true}},
      {{tab}, std::nullopt, {false, 0, kText1, false, true}},
      // The context-menu key and Shift+F10 open the entry menu, only from the list.
      {{apps, Key(kKeyApps, true), shift_f10}, kList1, {false, 0, {}, true, true}},
      {{apps, shift_f10}, kText1, {}},  // the box's own menu
      {{apps}, std::nullopt, {}},
      {{Key(kKeyF10), Key(kKeyF10, true, true), Key(kKeyApps, false, false, true)}, kList1, {}},
  };
  for (const auto& row : main_rows) {
    for (const KeyPress& key : row.keys) {
      const MainKeyAction got = RouteMainKey(key, row.on), &want = row.want;
      EXPECT_TRUE(got.key_down == want.key_down && got.press_command == want.press_command && got.focus == want.focus &&
                  got.open_menu == want.open_menu && got.consumed == want.consumed)
          << "row " << &row - main_rows << ", key " << key.key << " in shift state " << key.ShiftState();
    }
  }
  // The editor: Tab goes round the boxes and OK; Space on OK presses it, and
  // its coming up clicks it; in a box it types. Enter and Escape do nothing.
  using E = EditorBox;
  const struct {
    std::vector<KeyPress> keys;
    EditorBox on;
    EditorKeyAction want;  // focus, press_ok, consumed
  } editor_rows[] = {
      {{tab}, E::kText1, {E::kText2, false, true}},
      {{tab}, E::kLabel3, {E::kText1, false, true}},
      {{Key(kKeyTab, true)}, E::kText1, {E::kLabel3, false, true}},
      {{tab}, E::kOther, {E::kText1, false, true}},
      {{Key(kKeySpace)}, E::kLabel3, {{}, true, true}},
      {{Key(kKeySpace), enter, Key(kKeyEscape)}, E::kText2, {}},
      {{enter, Key(kKeyEscape)}, E::kLabel3, {}},
  };
  for (const auto& row : editor_rows) {
    for (const KeyPress& key : row.keys) {
      const EditorKeyAction got = RouteEditorKey(key, row.on), &want = row.want;
      EXPECT_TRUE(got.focus == want.focus && got.press_ok == want.press_ok && got.consumed == want.consumed)
          << "row " << &row - editor_rows << ", key " << key.key;
    }
  }
  EXPECT_TRUE(EditorKeyUpReleasesOk(kKeySpace, E::kLabel3) && !EditorKeyUpReleasesOk(kKeySpace, E::kText2));
  EXPECT_TRUE(EditorSwallowsChar(L'\r') && EditorSwallowsChar(L'\n') && EditorSwallowsChar(L'\x1b'));
  EXPECT_FALSE(EditorSwallowsChar(L'k'));
}

TEST(ExceptionTextTest, NamesWhatStoppedTheOperation) {
  const std::wstring oom = L"内存资源不足。 (8)";
  EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::bad_alloc()), oom), L"操作未能完成：" + oom);
  EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(42), oom), L"操作未能完成：未知错误");
}

}  // namespace
}  // namespace quillet
