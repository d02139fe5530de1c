// The decisions behind the mouse and the keyboard (button-like pictures, the
// list's gestures, the keys of both windows), and the report of an error
// stopped at a window's boundary.
#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <stdexcept>

#include "platform/list_box.h"
#include "ui/click_tracker.h"
#include "ui/edit/editor_keys.h"
#include "ui/edit/selection_drag.h"
#include "ui/exception_text.h"
#include "ui/focus_memory.h"
#include "ui/drag_gesture.h"
#include "ui/main/main_keys.h"

namespace quillet {
namespace {

constexpr int kHouse = 1, kCross = 2;
constexpr int kNowhere = ClickTracker::kNowhere;

TEST(ClickTrackerTest, AClickIsAPressAndAReleaseOnTheSameControl) {
  ClickTracker clicks;
  clicks.Press(kHouse);
  EXPECT_EQ(clicks.Release(kHouse), kHouse);

  // Pressed on the house, slid onto the close icon: neither is clicked.
  clicks.Press(kHouse);
  EXPECT_EQ(clicks.Release(kCross), kNowhere);
  clicks.Press(kCross);
  EXPECT_EQ(clicks.Release(kHouse), kNowhere);

  // Released outside the window: no stale press is left for a later release.
  clicks.Press(kCross);
  EXPECT_EQ(clicks.Release(kNowhere), kNowhere);
  EXPECT_EQ(clicks.Release(kCross), kNowhere);

  // A menu or a message box took the capture before the release.
  clicks.Press(kHouse);
  EXPECT_TRUE(clicks.IsPressed(kHouse));
  clicks.CaptureLost();
  EXPECT_EQ(clicks.Release(kHouse), kNowhere);
}

TEST(DragGestureTest, ItemUnderThePointIsFullSize) {
  // 70,000 items of 16 pixels, scrolled to the end: the last rows are real indices.
  EXPECT_EQ(ItemAtPoint({10, 9 * 16 + 3}, 500, 400, 69'990, 16, 70'000), 69'999);
  EXPECT_EQ(ItemAtPoint({10, 3}, 500, 400, 65'536, 16, 70'000), 65'536);
  EXPECT_EQ(ItemAtPoint({10, 10 * 16}, 500, 400, 69'990, 16, 70'000), -1);  // below the last item
  EXPECT_EQ(ItemAtPoint({-1, 3}, 500, 400, 0, 16, 10), -1);
  EXPECT_EQ(ItemAtPoint({10, 400}, 500, 400, 0, 16, 100), -1);  // outside the client area
  EXPECT_EQ(ItemAtPoint({10, 3}, 500, 400, 0, 16, 0), -1);      // an empty list
}

TEST(DragGestureTest, APressBecomesADragOnlyOutsideTheDragRectangle) {
  DragGesture gesture(4, 4);
  gesture.Press(MouseButton::kLeft, {100, 50}, 69'999);
  EXPECT_TRUE(gesture.Moved({104, 46}, true).hold);  // inside: the press holds its item
  EXPECT_EQ(gesture.Moved({104, 46}, true).drag_item, -1);
  const DragGesture::Move out = gesture.Moved({100, 55}, true);
  EXPECT_EQ(out.drag_item, 69'999);
  EXPECT_EQ(gesture.Moved({100, 90}, true).drag_item, -1);  // one drag per press
  EXPECT_FALSE(gesture.Release(MouseButton::kLeft));         // the drop, not a click

  // A press and release without leaving the rectangle is a click.
  gesture.Press(MouseButton::kLeft, {100, 50}, 3);
  gesture.Moved({102, 51}, true);
  EXPECT_TRUE(gesture.Release(MouseButton::kLeft));

  // A press on no item never drags, and the move is the list box's.
  gesture.Press(MouseButton::kLeft, {100, 390}, -1);
  EXPECT_FALSE(gesture.Moved({100, 300}, true).hold);
  EXPECT_TRUE(gesture.Release(MouseButton::kLeft));

  // Moves without the button (it was released elsewhere) disarm the press.
  gesture.Press(MouseButton::kLeft, {100, 50}, 3);
  EXPECT_FALSE(gesture.Moved({100, 90}, false).hold);
  EXPECT_EQ(gesture.Moved({100, 95}, true).drag_item, -1);
}

TEST(DragGestureTest, EveryButtonClicksOnlyWhenPressedOnTheList) {
  DragGesture gesture(4, 4);
  EXPECT_FALSE(gesture.Release(MouseButton::kLeft));  // pressed elsewhere, released here
  gesture.Press(MouseButton::kRight, {5, 5}, 0);
  gesture.Press(MouseButton::kMiddle, {5, 5}, 0);
  EXPECT_TRUE(gesture.Release(MouseButton::kRight));
  EXPECT_FALSE(gesture.Release(MouseButton::kRight));
  EXPECT_TRUE(gesture.Release(MouseButton::kMiddle));

  // A second press during a drag: the right button's click still counts,
  // the left one's release is the drop.
  gesture.Press(MouseButton::kLeft, {50, 50}, 1);
  EXPECT_EQ(gesture.Moved({50, 80}, true).drag_item, 1);
  gesture.Press(MouseButton::kRight, {50, 80}, 2);
  EXPECT_TRUE(gesture.Release(MouseButton::kRight));
  EXPECT_FALSE(gesture.Release(MouseButton::kLeft));
  // A new left press starts afresh.
  gesture.Press(MouseButton::kLeft, {50, 50}, 1);
  EXPECT_TRUE(gesture.Release(MouseButton::kLeft));
}

TEST(SelectionDragTest, APressInTheSelectionDragsItOrPlacesTheCaret) {
  SelectionDrag drag(4, 4);
  // Selection 3..8; a press on character 5 is ours, the box doesn't see it.
  EXPECT_TRUE(drag.Press({60, 10}, 3, 8, 5));
  EXPECT_TRUE(drag.Moved({62, 12}, true).hold);
  EXPECT_FALSE(drag.Moved({62, 12}, true).drag);
  const SelectionDrag::Move out = drag.Moved({90, 10}, true);
  EXPECT_TRUE(out.drag);
  EXPECT_EQ(drag.Release(), -1);  // the drop ends it, no caret move

  // Released where it was pressed: a click, the caret goes to the press.
  EXPECT_TRUE(drag.Press({60, 10}, 3, 8, 5));
  EXPECT_EQ(drag.Release(), 5);

  // Outside the selection, on its end, or with nothing selected: the box's own press.
  EXPECT_FALSE(drag.Press({10, 10}, 3, 8, 1));
  EXPECT_FALSE(drag.Moved({90, 10}, true).hold);
  EXPECT_FALSE(drag.Moved({90, 10}, true).drag);
  EXPECT_EQ(drag.Release(), -1);
  EXPECT_FALSE(drag.Press({60, 10}, 3, 8, 8));
  EXPECT_EQ(drag.Release(), -1);
  EXPECT_FALSE(drag.Press({60, 10}, 4, 4, 4));
  EXPECT_EQ(drag.Release(), -1);
}

KeyPress Key(int key, bool shift = false, bool ctrl = false, bool alt = false) { return {key, shift, ctrl, alt}; }

TEST(MainKeysTest, EnterLaunchesWhateverTheModifiersAndStillReachesTheControl) {
  for (const KeyPress& enter : {Key(kKeyEnter), Key(kKeyEnter, true), Key(kKeyEnter, false, true),
                                Key(kKeyEnter, false, false, true), Key(kKeyEnter, true, true, true)}) {
    const MainKeyAction action = RouteMainKey(enter, Form1Control::kText1);
    EXPECT_TRUE(action.key_down) << enter.ShiftState();
    EXPECT_FALSE(action.consumed) << enter.ShiftState();  // the box gets the key-down
    EXPECT_EQ(action.press_command, 0);
  }
  EXPECT_EQ(Key(kKeyEnter, true, false, true).ShiftState(), 5);
  // On a focused list button Enter also presses it.
  const MainKeyAction on_save = RouteMainKey(Key(kKeyEnter), Form1Control::kCommand3);
  EXPECT_TRUE(on_save.key_down);
  EXPECT_EQ(on_save.press_command, 3);
  EXPECT_TRUE(on_save.consumed);
  EXPECT_EQ(RouteMainKey(Key(kKeyEnter, false, false, true), Form1Control::kCommand1).press_command, 1);
  EXPECT_EQ(RouteMainKey(Key(kKeyEnter), Form1Control::kList1).press_command, 0);
  // Other keys are the control's.
  const MainKeyAction letter = RouteMainKey(Key('A'), Form1Control::kText1);
  EXPECT_FALSE(letter.key_down || letter.consumed || letter.focus);
  // The line breaks Enter and Ctrl+Enter type are kept from the box: it would beep.
  EXPECT_TRUE(IsBeepingLineBreak(L'\r'));
  EXPECT_TRUE(IsBeepingLineBreak(L'\n'));
  EXPECT_FALSE(IsBeepingLineBreak(L'a'));
}

TEST(MainKeysTest, TheContextMenuKeyAndShiftF10OpenTheEntryMenuOnlyFromTheList) {
  for (const KeyPress& key : {Key(kKeyApps), Key(kKeyApps, true), Key(kKeyF10, true)}) {
    const MainKeyAction action = RouteMainKey(key, Form1Control::kList1);
    EXPECT_TRUE(action.open_menu && action.consumed) << key.key;
    EXPECT_FALSE(action.key_down);
    EXPECT_FALSE(RouteMainKey(key, Form1Control::kText1).open_menu) << key.key;  // the box's own menu
  }
  EXPECT_FALSE(RouteMainKey(Key(kKeyF10), Form1Control::kList1).open_menu);
  EXPECT_FALSE(RouteMainKey(Key(kKeyF10, true, true), Form1Control::kList1).open_menu);
  EXPECT_FALSE(RouteMainKey(Key(kKeyApps, false, false, true), Form1Control::kList1).open_menu);
  EXPECT_FALSE(RouteMainKey(Key(kKeyApps), std::nullopt).open_menu);
}

TEST(ListBoxTest, TheKeyboardsMenuOpensBelowTheItemWithinTheList) {
  const PixelRect client{100, 200, 600, 520};
  EXPECT_EQ(KeyMenuPoint(PixelRect{100, 232, 600, 248}, client).y, 248);
  EXPECT_EQ(KeyMenuPoint(PixelRect{100, 512, 600, 528}, client).y, 520);  // the half-shown last row
  // Scrolled out of view, above or below, or no item: the list's top left.
  for (const std::optional<PixelRect>& item :
       {std::optional<PixelRect>(PixelRect{100, 184, 600, 200}), std::optional<PixelRect>(PixelRect{100, 520, 600, 536}),
        std::optional<PixelRect>()}) {
    const PixelPoint at = KeyMenuPoint(item, client);
    EXPECT_EQ(at.x, 100);
    EXPECT_EQ(at.y, 200);
  }
}

TEST(MainKeysTest, TabGoesRoundTheTabOrderThroughTheHiddenButtons) {
  std::optional<Form1Control> at = Form1Control::kText1;
  const Form1Control forward[] = {Form1Control::kList1, Form1Control::kCommand1, Form1Control::kCommand2,
                                  Form1Control::kCommand3, Form1Control::kCommand4, Form1Control::kText1};
  for (const Form1Control expected : forward) {
    const MainKeyAction action = RouteMainKey(Key(kKeyTab), at);
    ASSERT_TRUE(action.focus);
    EXPECT_EQ(*action.focus, expected);
    EXPECT_TRUE(action.consumed);
    at = action.focus;
  }
  EXPECT_EQ(RouteMainKey(Key(kKeyTab, true), Form1Control::kText1).focus, Form1Control::kCommand4);
  EXPECT_EQ(RouteMainKey(Key(kKeyTab, true), Form1Control::kList1).focus, Form1Control::kText1);
  EXPECT_EQ(RouteMainKey(Key(kKeyTab), std::nullopt).focus, Form1Control::kText1);
  // Ctrl+Tab and Alt+Tab are not ours.
  EXPECT_FALSE(RouteMainKey(Key(kKeyTab, false, true), Form1Control::kText1).consumed);
  EXPECT_FALSE(RouteMainKey(Key(kKeyTab, false, false, true), Form1Control::kText1).consumed);
}

TEST(EditorKeysTest, TabGoesRoundBoxesAndOkSpacePressesOkAndEnterAndEscapeDoNothing) {
  EditorBox at = EditorBox::kText1;
  for (const EditorBox expected : {EditorBox::kText2, EditorBox::kLabel3, EditorBox::kText1}) {
    const EditorKeyAction action = RouteEditorKey(Key(kKeyTab), at);
    ASSERT_TRUE(action.focus);
    EXPECT_EQ(*action.focus, expected);
    EXPECT_TRUE(action.consumed);
    at = *action.focus;
  }
  EXPECT_EQ(RouteEditorKey(Key(kKeyTab, true), EditorBox::kText1).focus, EditorBox::kLabel3);
  EXPECT_EQ(RouteEditorKey(Key(kKeyTab, true), EditorBox::kLabel3).focus, EditorBox::kText2);
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
  EXPECT_TRUE(EditorSwallowsChar(L'\r'));
  EXPECT_TRUE(EditorSwallowsChar(L'\n'));
  EXPECT_TRUE(EditorSwallowsChar(L'\x1b'));
  EXPECT_FALSE(EditorSwallowsChar(L'k'));
}

TEST(FocusMemoryTest, ActivationGivesTheFocusBackToTheControlThatHadIt) {
  FocusMemory<Form1Control> focus(Form1Control::kText1);
  EXPECT_EQ(focus.Activated(), Form1Control::kText1);
  focus.Deactivated(Form1Control::kCommand3);  // Tab went to "保存", then another window came up
  EXPECT_EQ(focus.Activated(), Form1Control::kCommand3);
  focus.Deactivated(std::nullopt);  // a message box of ours had the focus
  EXPECT_EQ(focus.Activated(), Form1Control::kCommand3);
}

TEST(ExceptionTextTest, NamesWhatStoppedTheOperation) {
  const std::wstring oom = L"内存资源不足，无法处理此命令。 (8)";
  EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::bad_alloc()), oom), L"操作未能完成：" + oom);
  EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::out_of_range("vector::at")), oom), L"操作未能完成：vector::at");
  EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::runtime_error("\xE9t\xE9")), oom), L"操作未能完成：?t?");
  EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(42), oom), L"操作未能完成：未知错误");
  EXPECT_EQ(ExceptionMessage(nullptr, oom), L"操作未能完成：未知错误");
}

}  // namespace
}  // namespace quillet
