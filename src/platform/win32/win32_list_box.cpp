#include "platform/win32/win32_list_box.h"

namespace quillet {

void Win32ListBox::AppendItems(std::vector<std::wstring> items) {
  if (items.empty()) return;
  const int at = Count();
  if (items_.empty()) {
    items_ = std::move(items);
  } else {
    items_.reserve(items_.size() + items.size());
    for (auto& item : items) items_.push_back(std::move(item));
  }
  Recount(at, 0);
}

void Win32ListBox::InsertItem(int index, std::wstring item) {
  items_.insert(items_.begin() + index, std::move(item));
  Recount(index, +1);
}

void Win32ListBox::SetItem(int index, std::wstring item) {
  items_.at(index) = std::move(item);
  RECT rect;
  if (::SendMessageW(hwnd_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
    ::InvalidateRect(hwnd_, &rect, TRUE);
  }
}

void Win32ListBox::RemoveItem(int index) {
  items_.erase(items_.begin() + index);
  Recount(index, -1);
}

void Win32ListBox::Clear() {
  items_.clear();
  Recount(0, 0);
}

int Win32ListBox::SelectedIndex() const {
  const LRESULT selected = ::SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

PixelRect Win32ListBox::ClientScreenRect() const {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  ::MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return {client.left, client.top, client.right, client.bottom};
}

std::optional<PixelRect> Win32ListBox::ItemScreenRect(int index) const {
  RECT item{};
  if (index < 0 || index >= Count()) return std::nullopt;
  if (::SendMessageW(hwnd_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR) return std::nullopt;
  ::MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&item), 2);
  return PixelRect{item.left, item.top, item.right, item.bottom};
}

int Win32ListBox::ItemAt(POINT at) const {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const LRESULT top = ::SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = ::SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0);
  if (top == LB_ERR || height == LB_ERR) return -1;
  return ItemAtPoint({at.x, at.y}, client.right, client.bottom, static_cast<int>(top), static_cast<int>(height), Count());
}

void Win32ListBox::Recount(int changed_at, int shift) {
  const LRESULT top = ::SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0);
  LRESULT selected = ::SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  if (selected != LB_ERR && selected >= changed_at) {
    if (shift < 0 && selected == changed_at) selected = LB_ERR;  // the selected item went away
    else selected += shift;
  }
  ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(hwnd_, LB_SETCOUNT, items_.size(), 0);
  if (top != LB_ERR && top < Count()) ::SendMessageW(hwnd_, LB_SETTOPINDEX, top, 0);
  if (selected != LB_ERR && selected < Count()) ::SendMessageW(hwnd_, LB_SETCURSEL, selected, 0);
  ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32ListBox::Draw(const DRAWITEMSTRUCT& item, COLORREF background, COLORREF text) const {
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const int index = static_cast<int>(item.itemID);
  ::SetBkColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHT) : background);
  ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
  const std::wstring* line = index >= 0 && index < Count() ? &items_[index] : nullptr;
  RECT rect = item.rcItem;
  ::ExtTextOutW(dc, rect.left + 2, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, line ? line->data() : L"",
                line ? static_cast<UINT>(line->size()) : 0, nullptr);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &rect);
}

}  // namespace quillet
