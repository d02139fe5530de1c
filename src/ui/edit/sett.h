#pragma once

#include <memory>
#include <optional>

#include "platform/message_box.h"
#include "platform/popup_menu.h"
#include "platform/window.h"
#include "store/entry_file.h"
#include "ui/entry_list.h"
#include "ui/forms.h"
#include "ui/shared_state.h"
#include "ui/texts.h"

namespace quillet {

struct SettWiring {
  PopupMenuFactory& menus;
  Window& form1;
  EntryList& entries;
  EditorForm& editor;
  MessageBoxes& messages;
  EntryFile& file;
  SharedState& state;
};

// The entry menu list2you ("右键菜单") of the never-shown window sett: add,
// edit, delete the entry at SelectedIndex, delete all.
class Sett final : public MenuForm {
 public:
  explicit Sett(const SettWiring& wiring) : wiring_(wiring) {}

  void PopupList2you() override { Popup(std::nullopt); }
  void PopupList2youAt(PixelPoint at) override { Popup(at); }

  void addone_Click();    // "新增一个"
  void editit_Click();    // "编辑它"
  void del_Click();       // "删除它"
  void clearall_Click();  // "删除所有"

 private:
  void Popup(std::optional<PixelPoint> at);
  bool SelectedIndexNamesAnItem() const;

  SettWiring wiring_;
  std::unique_ptr<PopupMenu> list2you_;
};

}  // namespace quillet
