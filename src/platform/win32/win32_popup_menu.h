#pragma once

#include <windows.h>

#include "platform/popup_menu.h"

namespace quillet {

// Pop-up menus held by a hidden tool window of their own, which takes the
// foreground while a menu is open so that a click elsewhere or Escape closes it.
class Win32PopupMenuFactory final : public PopupMenuFactory {
 public:
  // `window_text` names the hidden window.
  explicit Win32PopupMenuFactory(const wchar_t* window_text) : window_text_(window_text) {}
  std::unique_ptr<PopupMenu> Create(const std::vector<std::wstring>& captions) override;

 private:
  const wchar_t* window_text_;
};

}  // namespace quillet
