#pragma once

#include <optional>
#include <string>

#include "platform/window.h"

namespace quillet {

// What a list shows: how many items, and an item's text, asked for only
// when the item is drawn or read.
class ListItems {
 public:
  virtual ~ListItems() = default;
  virtual int Count() const = 0;
  virtual std::wstring Item(int index) const = 0;
};

// A single-selection list over items kept elsewhere, in their order (never
// sorted). Counts and indices are full-size; an item may hold any character,
// NUL included.
class ListBox {
 public:
  virtual ~ListBox() = default;
  // The items to show from now on; they outlive the list box or are replaced.
  virtual void Show(const ListItems& items) = 0;
  // The items changed at `index`: `shift` of them were inserted there (> 0)
  // or removed from there (< 0), or the one there was replaced (0). The
  // scroll position stays, and the selection stays with its item (none when
  // that item was removed).
  virtual void Changed(int index, int shift) = 0;
  // -1 when no item is selected.
  virtual int SelectedIndex() const = 0;
  // In screen pixels: the list's client area, and an item's rectangle
  // (outside the client area when the item is scrolled out of view); nothing
  // when the index names no item.
  virtual PixelRect ClientScreenRect() const = 0;
  virtual std::optional<PixelRect> ItemScreenRect(int index) const = 0;
};

// Where the entry menu opens when the keyboard asks for it: at the bottom
// left of the selected item, kept within the list's client area; at the
// list's top left when no item is selected or the item is out of view.
inline PixelPoint KeyMenuPoint(const std::optional<PixelRect>& item, const PixelRect& client) {
  if (!item || item->bottom <= client.top || item->top >= client.bottom) return {client.left, client.top};
  return {item->left, item->bottom < client.bottom ? item->bottom : client.bottom};
}

// The item under a point of a list's client area whose items are all
// `item_height` high, the first one shown being `top_index`; -1 when the point
// lies outside the area or below the last item. Full-size, for lists of any length.
inline int ItemAtPoint(PixelPoint at, int client_width, int client_height, int top_index, int item_height, int count) {
  if (at.x < 0 || at.y < 0 || at.x >= client_width || at.y >= client_height || item_height <= 0) return -1;
  const long long item = static_cast<long long>(top_index) + at.y / item_height;
  return item >= 0 && item < count ? static_cast<int>(item) : -1;
}

// Where the selected item (-1: none) is once `shift` items were inserted
// (shift > 0) or removed (shift < 0) at `changed_at`, in a list now of
// `count`: it moves with its item, and goes when its item is removed.
inline int SelectionAfterChange(int selected, int changed_at, int shift, int count) {
  if (selected >= changed_at && shift < 0 && selected < changed_at - shift) return -1;
  if (selected >= 0 && selected >= changed_at) selected += shift;
  return selected < count ? selected : -1;
}

}  // namespace quillet
