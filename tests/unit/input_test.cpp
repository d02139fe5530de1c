// The decisions behind the mouse and the keyboard (button-like pictures, the
// list's gestures, the keys of both windows), and the report of an error
// stopped at a window's boundary.
#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <stdexcept>

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

TEST(ClickTrackerTest, AClickIsAPressAndAReleaseOnTheSameControlAndADoubleClickIsOne) {
  constexpr int kHouse = 1, kCross = 2, kNowhere = ClickTracker::kNowhere;
  ClickTracker clicks;
  clicks.Press(kHouse);
  EXPECT_EQ(clicks.Release(kHouse), kHouse);
  clicks.Press(kHouse);  // slid onto the close icon: neither is clicked
  EXPECT_EQ(clicks.Release(kCross), kNowhere);
  clicks.Press(kCross);  // released outside: no stale press is left for a later release
  EXPECT_EQ(clicks.Release(kNowhere), kNowhere);
  EXPECT_EQ(clicks.Release(kCross), kNowhere);
  clicks.Press(kHouse);  // a menu or a message box took the capture before the release
  clicks.CaptureLost();
  EXPECT_EQ(clicks.Release(kHouse), kNowhere);
  // A double-click is press, release, the double-click's press, release: one click.
  clicks.Press(kHouse);
  EXPECT_EQ(clicks.Release(kHouse), kHouse);
  clicks.Press(kHouse, /*second=*/true);
  EXPECT_EQ(clicks.Release(kHouse), kNowhere);
  clicks.Press(kHouse);  // the next press clicks again
  EXPECT_EQ(clicks.Release(kHouse), kHouse);
  // The click's action took the activation (a message box): a second press after it clicks.
  clicks.Deactivated();
  clicks.Press(kHouse, /*second=*/true);
  EXPECT_EQ(clicks.Release(kHouse), kHouse);
  clicks.Press(kHouse, /*second=*/true);  // with nothing between: one click
  EXPECT_EQ(clicks.Release(kHouse), kNowhere);
  clicks.Press(kCross, /*second=*/true);  // doubling no click of its own control
  EXPECT_EQ(clicks.Release(kCross), kCross);
}

TEST(DropEffectTest, ACopyWhereAllowedElseALinkNeverAMove) {
  const unsigned rows[][2] = {{kDropCopy | kDropMove | kDropLink, kDropCopy},
                              {kDropCopy, kDropCopy},
                              {kDropLink, kDropLink},
                              {kDropMove | kDropLink, kDropLink},
                              {kDropMove, kDropNone},
                              {kDropNone, kDropNone},
                              {0x80000000u | kDropLink, kDropLink}};  // a scroll bit beside the link
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
  EXPECT_TRUE(gesture.Moved({104, 46}, true).hold);  // inside: the press holds its item
  EXPECT_EQ(gesture.Moved({104, 46}, true).drag_item, -1);
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
  EXPECT_FALSE(drag.Moved({62, 12}, true).drag);
  EXPECT_TRUE(drag.Moved({90, 10}, true).drag);
  EXPECT_EQ(drag.Release(), -1);                                      // the drop ends it, no caret move
  EXPECT_TRUE(drag.Press({60, 10}, 3, 8, 5) && drag.Release() == 5);  // released where pressed: the caret goes there
  // Outside the selection, on its end, or with nothing selected: the box's own press.
  for (const auto& [from, to, at] : {std::tuple{3, 8, 1}, {3, 8, 8}, {4, 4, 4}}) {
    EXPECT_FALSE(drag.Press({60, 10}, from, to, at));
    EXPECT_FALSE(drag.Moved({90, 10}, true).drag);
    EXPECT_EQ(drag.Release(), -1);
  }
}

KeyPress Key(int key, bool shift = false, bool ctrl = false, bool alt = false) { return {key, shift, ctrl, alt}; }

TEST(MainKeysTest, EnterLaunchesWhateverTheModifiersAndStillReachesTheControl) {
  for (const KeyPress& enter : {Key(kKeyEnter), Key(kKeyEnter, true, true, true), Key(kKeyEnter, false, false, true)}) {
    const MainKeyAction action = RouteMainKey(enter, Form1Control::kText1);
    EXPECT_TRUE(action.key_down && !action.consumed) << enter.ShiftState();
    EXPECT_EQ(action.press_command, 0);
  }
  const MainKeyAction on_save = RouteMainKey(Key(kKeyEnter), Form1Control::kCommand3);  // also presses a focused button
  EXPECT_TRUE(on_save.key_down && on_save.consumed);
  EXPECT_EQ(on_save.press_command, 3);
  const MainKeyAction letter = RouteMainKey(Key('A'), Form1Control::kText1);
  EXPECT_FALSE(letter.key_down || letter.consumed || letter.focus);
}

TEST(MainKeysTest, TabGoesRoundTheTabOrderThroughTheHiddenButtons) {
  std::optional<Form1Control> at = Form1Control::kText1;
  for (const Form1Control expected : {Form1Control::kList1, Form1Control::kCommand1, Form1Control::kCommand2,
                                      Form1Control::kCommand3, Form1Control::kCommand4, Form1Control::kText1}) {
    const MainKeyAction action = RouteMainKey(Key(kKeyTab), at);
    ASSERT_TRUE(action.focus && action.consumed);
    EXPECT_EQ(*action.focus, expected);
    at = action.focus;
  }
  EXPECT_EQ(RouteMainKey(Key(kKeyTab, true), Form1Control::kText1).focus, Form1Control::kCommand4);
  EXPECT_EQ(RouteMainKey(Key(kKeyTab), std::nullopt).focus, Form1Control::kText1);
  EXPECT_FALSE(RouteMainKey(Key(kKeyTab, false, true), Form1Control::kText1).consumed);  // Ctrl+Tab is not ours
}

TEST(MainKeysTest, TheContextMenuKeyAndShiftF10OpenTheEntryMenuOnlyFromTheList) {
  for (const KeyPress& key : {Key(kKeyApps), Key(kKeyApps, true), Key(kKeyF10, true)}) {
    const MainKeyAction action = RouteMainKey(key, Form1Control::kList1);
    EXPECT_TRUE(action.open_menu && action.consumed && !action.key_down) << key.key;
    EXPECT_FALSE(RouteMainKey(key, Form1Control::kText1).open_menu) << key.key;  // the box's own menu
  }
  EXPECT_FALSE(RouteMainKey(Key(kKeyF10), Form1Control::kList1).open_menu);
  EXPECT_FALSE(RouteMainKey(Key(kKeyF10, true, true), Form1Control::kList1).open_menu);
  EXPECT_FALSE(RouteMainKey(Key(kKeyApps, false, false, true), Form1Control::kList1).open_menu);
  EXPECT_FALSE(RouteMainKey(Key(kKeyApps), std::nullopt).open_menu);
  // Below the item, within the list; scrolled out of view or no item: the list's top left.
  const PixelRect client{100, 200, 600, 520};
  EXPECT_EQ(KeyMenuPoint(PixelRect{100, 232, 600, 248}, client).y, 248);
  EXPECT_EQ(KeyMenuPoint(PixelRect{100, 512, 600, 528}, client).y, 520);
  for (const std::optional<PixelRect>& item :
       {std::optional<PixelRect>(PixelRect{100, 184, 600, 200}),
        std::optional<PixelRect>(PixelRect{100, 520, 600, 536}), std::optional<PixelRect>()}) {
    EXPECT_EQ(KeyMenuPoint(item, client).x, 100);
    EXPECT_EQ(KeyMenuPoint(item, client).y, 200);
  }
}

TEST(EditorKeysTest, TabGoesRoundBoxesAndOkSpacePressesOkAndEnterAndEscapeDoNothing) {
  EditorBox at = EditorBox::kText1;
  for (const EditorBox expected : {EditorBox::kText2, EditorBox::kLabel3, EditorBox::kText1}) {
    const EditorKeyAction action = RouteEditorKey(Key(kKeyTab), at);
    ASSERT_TRUE(action.focus && action.consumed);
    EXPECT_EQ(*action.focus, expected);
    at = *action.focus;
  }
  EXPECT_EQ(RouteEditorKey(Key(kKeyTab, true), EditorBox::kText1).focus, EditorBox::kLabel3);
  EXPECT_EQ(RouteEditorKey(Key(kKeyTab), EditorBox::kOther).focus, EditorBox::kText1);
  // Space presses OK when OK has the focus, and its coming up clicks it; in a box it types.
  const EditorKeyAction space = RouteEditorKey(Key(kKeySpace), EditorBox::kLabel3);
  EXPECT_TRUE(space.press_ok && space.consumed);
  EXPECT_TRUE(EditorKeyUpReleasesOk(kKeySpace, EditorBox::kLabel3));
  EXPECT_FALSE(EditorKeyUpReleasesOk(kKeySpace, EditorBox::kText2));
  EXPECT_FALSE(RouteEditorKey(Key(kKeySpace), EditorBox::kText2).consumed);
  for (const EditorBox on : {EditorBox::kText1, EditorBox::kLabel3}) {
    for (const int key : {kKeyEnter, kKeyEscape}) {
      const EditorKeyAction action = RouteEditorKey(Key(key), on);
      EXPECT_FALSE(action.press_ok || action.consumed || action.focus) << key;
    }
  }
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
