#pragma once

#include <windows.h>

#include "platform/list_box.h"
#include "platform/win32/com.h"

namespace quillet {

class ItemNameServer;

// The list over a list box that holds no strings of its own (LBS_NODATA,
// owner-drawn): the control only knows the number of items, and an item's
// text is asked for when it is drawn. Filling it is one message whatever the
// count, and an item may hold any character, NUL included. The control
// answers LB_GETTEXTLEN and LB_GETTEXT from the items to the program's own
// thread; screen readers and automation read them through the annotation.
class Win32ListBox final : public ListBox {
 public:
  // The styles the control must be created with.
  static constexpr DWORD kStyle = LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_VSCROLL;

  Win32ListBox();
  ~Win32ListBox() override;
  Win32ListBox(const Win32ListBox&) = delete;
  Win32ListBox& operator=(const Win32ListBox&) = delete;

  // Takes the control over; it must outlive this object or be destroyed first.
  void Attach(HWND list);
  HWND hwnd() const { return hwnd_; }

  // Gives each item its line as its accessible name, through the system's
  // dynamic annotation of the list's children (COM must be initialised on
  // this thread). False where the system has no annotation service (Wine 8
  // has none): the items then have no names beyond what LB_GETTEXT gives.
  bool AnnotateItemNames();
  // The same when an accessibility client first asks the control for its
  // object (WM_GETOBJECT): until then nothing of the service is loaded.
  void AnnotateItemNamesOnRequest() { annotate_on_request_ = true; }
  bool annotated() const { return static_cast<bool>(names_); }

  void Show(const ListItems& items) override;
  void Changed(int index, int shift) override;
  int Count() const { return items_ != nullptr ? items_->Count() : 0; }
  int SelectedIndex() const override;
  PixelRect ClientScreenRect() const override;
  std::optional<PixelRect> ItemScreenRect(int index) const override;

  // The item under a point of the client area, -1 when none: full-size, where
  // LB_ITEMFROMPOINT answers in 16 bits.
  int ItemAt(POINT at) const;

  // WM_DRAWITEM for the control, sent to its parent.
  void Draw(const DRAWITEMSTRUCT& item, COLORREF background, COLORREF text) const;

 private:
  static LRESULT CALLBACK TextProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR self);
  template <class Original>
  LRESULT OnTextMessage(UINT message, WPARAM wparam, LPARAM lparam, const Original& original);
  void Detach();

  // Tells the control the new count, keeping its scroll position and moving
  // the selection by `shift` when items were inserted or removed above it.
  void Recount(int changed_at, int shift);
  std::wstring Item(std::size_t index) const;
  // LB_GETTEXT's answer for the program's own thread.
  LRESULT CopyItem(WPARAM index, wchar_t* buffer) const;

  HWND hwnd_ = nullptr;
  const ListItems* items_ = nullptr;
  ComPtr<ItemNameServer> names_;  // while annotated
  bool annotate_on_request_ = false;
};

}  // namespace quillet
