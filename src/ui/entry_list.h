#pragma once

#include <string>

#include "platform/list_box.h"
#include "store/entry_file.h"
#include "store/line_list.h"

namespace quillet {

// List1's items: the entry lines, kept as the file's bytes until read, and
// the list box that shows them, told of every change.
class EntryList final : public ListItems {
 public:
  explicit EntryList(ListBox& view) : view_(view) { view_.Show(*this); }
  EntryList(const EntryList&) = delete;
  EntryList& operator=(const EntryList&) = delete;

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::wstring Item(int index) const override { return lines_[static_cast<std::size_t>(index)]; }

  void Insert(int index, std::wstring line);
  void Set(int index, std::wstring line);
  void Remove(int index);
  void Clear();

  // Appends the entry file's lines (see EntryFile::LoadLines).
  IoStatus Load(EntryFile& file);

  // The item the editor has open: its index moves with every insert and
  // removal above it, and becomes kNone when the item itself goes, so that
  // the editor's OK never replaces another entry.
  static constexpr int kNone = -1;
  void Follow(int index) { followed_ = index >= 0 && index < Count() ? index : kNone; }
  int Followed() const { return followed_; }
  // Writes every line, in list order, to the entry file.
  IoStatus Save(EntryFile& file) const { return file.Save(lines_); }

 private:
  ListBox& view_;
  LineList lines_;
  int followed_ = kNone;
};

}  // namespace quillet
