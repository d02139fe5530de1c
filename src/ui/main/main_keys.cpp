#include "ui/main/main_keys.h"

#include <algorithm>

namespace quillet {

Form1Control NextInTabOrder(std::optional<Form1Control> from, bool backwards) {
  const auto& order = kForm1TabOrder;
  const auto at = from ? std::find(order.begin(), order.end(), *from) : order.end();
  if (at == order.end()) return order.front();
  const std::size_t n = order.size(), i = static_cast<std::size_t>(at - order.begin());
  return order[(i + (backwards ? n - 1 : 1)) % n];
}

MainKeyAction RouteMainKey(const KeyPress& key, std::optional<Form1Control> focused) {
  MainKeyAction action;
  if (key.key == kKeyTab && !key.ctrl && !key.alt) {
    action.focus = NextInTabOrder(focused, key.shift);
    action.consumed = true;
  } else if (focused == Form1Control::kList1 && !key.ctrl && !key.alt &&
             (key.key == kKeyApps || (key.key == kKeyF10 && key.shift))) {
    action.open_menu = true;
    action.consumed = true;
  } else if (key.key == kKeyEnter) {
    // Whatever the modifiers: Shift, Ctrl and Alt+Enter launch like Enter.
    action.key_down = true;
    // The key goes on to the focused control; a focused list button takes it as a press.
    switch (focused.value_or(Form1Control::kText1)) {
      case Form1Control::kCommand1: action.press_command = 1; break;
      case Form1Control::kCommand2: action.press_command = 2; break;
      case Form1Control::kCommand3: action.press_command = 3; break;
      case Form1Control::kCommand4: action.press_command = 4; break;
      default: break;
    }
    action.consumed = action.press_command != 0;
  }
  return action;
}

}  // namespace quillet
