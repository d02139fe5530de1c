#include "platform/win32/win32_list_box.h"

#include <commctrl.h>
#include <oleacc.h>

#include <utility>

#include "platform/win32/boundary.h"

namespace quillet {
namespace {

constexpr UINT_PTR kTextSubclassId = 1;

}  // namespace

// Answers the annotation service's questions about the list's children: the
// name of child n is item n - 1. Reference-counted; it may outlive the list
// in a client's hands, and then knows nothing.
class ItemNameServer final : public ComObject<IAccPropServer> {
 public:
  ItemNameServer(ComPtr<IAccPropServices> services, const ListItems* items)
      : services_(std::move(services)), items_(items) {}

  // The list is going away: from now on no child has a name.
  void Forget() { items_ = nullptr; }
  IAccPropServices* services() const { return services_.get(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return Query(iid, IID_IAccPropServer, out);
  }

  HRESULT STDMETHODCALLTYPE GetPropValue(const BYTE* id, DWORD id_length, MSAAPROPID property, VARIANT* value,
                                         BOOL* has) override {
    return Guarded(E_FAIL, [&] { return Name(id, id_length, property, value, has); });
  }

 private:
  HRESULT Name(const BYTE* id, DWORD id_length, MSAAPROPID property, VARIANT* value, BOOL* has) {
    if (value == nullptr || has == nullptr) return E_POINTER;
    ::VariantInit(value);
    *has = FALSE;
    HWND window = nullptr;
    DWORD object = 0, child = 0;
    if (items_ == nullptr || property != PROPID_ACC_NAME ||
        FAILED(services_->DecomposeHwndIdentityString(id, id_length, &window, &object, &child)) ||
        object != static_cast<DWORD>(OBJID_CLIENT) || child == CHILDID_SELF ||
        child > static_cast<DWORD>(items_->Count())) {
      return S_OK;  // not ours: the system's own answer stands
    }
    const std::wstring item = items_->Item(static_cast<int>(child - 1));
    value->bstrVal = ::SysAllocStringLen(item.data(), static_cast<UINT>(item.size()));
    if (value->bstrVal == nullptr) return E_OUTOFMEMORY;
    value->vt = VT_BSTR;
    *has = TRUE;
    return S_OK;
  }

  ComPtr<IAccPropServices> services_;
  const ListItems* items_;
};

Win32ListBox::Win32ListBox() = default;

Win32ListBox::~Win32ListBox() {
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) Detach();
  if (names_) names_->Forget();
}

void Win32ListBox::Attach(HWND list) {
  hwnd_ = list;
  if (hwnd_ == nullptr) return;
  ::SetWindowSubclass(hwnd_, &Win32ListBox::TextProc, kTextSubclassId, reinterpret_cast<DWORD_PTR>(this));
  if (Count() > 0) Recount(0, 0);
}

bool Win32ListBox::AnnotateItemNames() {
  if (hwnd_ == nullptr || names_) return static_cast<bool>(names_);
  ComPtr<IAccPropServices> services;
  if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                services.put()))) {
    return false;
  }
  ComPtr<ItemNameServer> server(new ItemNameServer(std::move(services), items_));
  MSAAPROPID name = PROPID_ACC_NAME;
  // One server for every child of the list: nothing to do per item.
  if (FAILED(server->services()->SetHwndPropServer(hwnd_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1,
                                                   server.get(), ANNO_CONTAINER))) {
    return false;
  }
  names_ = std::move(server);
  return true;
}

// The annotation and the text answers end with the control.
void Win32ListBox::Detach() {
  if (names_) {
    MSAAPROPID name = PROPID_ACC_NAME;
    names_->services()->ClearHwndProps(hwnd_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    names_->Forget();
    names_.reset();
  }
  ::RemoveWindowSubclass(hwnd_, &Win32ListBox::TextProc, kTextSubclassId);
}

LRESULT CALLBACK Win32ListBox::TextProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                        DWORD_PTR self) {
  auto& box = *reinterpret_cast<Win32ListBox*>(self);
  const auto original = [&] { return ::DefSubclassProc(list, message, wparam, lparam); };
  return Guarded(original, [&] { return box.OnTextMessage(message, wparam, lparam, original); });
}

template <class Original>
LRESULT Win32ListBox::OnTextMessage(UINT message, WPARAM wparam, LPARAM lparam, const Original& original) {
  switch (message) {
    case LB_GETTEXTLEN:
    case LB_GETTEXT:
      // Only the program's own thread gets text. For a list without strings
      // the system passes another thread's or program's buffer sized for a
      // pointer, so it gets what the list box itself answers; screen readers
      // read the items through the annotation.
      if (::InSendMessageEx(nullptr) != ISMEX_NOSEND) break;
      if (message == LB_GETTEXT) return CopyItem(wparam, reinterpret_cast<wchar_t*>(lparam));
      return wparam < static_cast<WPARAM>(Count()) ? static_cast<LRESULT>(Item(wparam).size()) : LB_ERR;
    case WM_GETOBJECT:
      if (annotate_on_request_ && static_cast<LONG>(lparam) == OBJID_CLIENT) {
        annotate_on_request_ = false;  // one try: a system without the service says so every time
        AnnotateItemNames();
      }
      break;
    case WM_NCDESTROY: Detach(); break;
  }
  return original();
}

std::wstring Win32ListBox::Item(std::size_t index) const { return items_->Item(static_cast<int>(index)); }

// The caller's buffer holds LB_GETTEXTLEN characters and the end mark.
LRESULT Win32ListBox::CopyItem(WPARAM index, wchar_t* buffer) const {
  if (index >= static_cast<WPARAM>(Count()) || buffer == nullptr) return LB_ERR;
  const std::wstring item = Item(index);
  item.copy(buffer, item.size());
  buffer[item.size()] = L'\0';
  return static_cast<LRESULT>(item.size());
}

void Win32ListBox::Show(const ListItems& items) {
  items_ = &items;
  Recount(0, 0);
}

void Win32ListBox::Changed(int index, int shift) {
  if (shift != 0) return Recount(index, shift);
  RECT rect;
  if (::SendMessageW(hwnd_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
    ::InvalidateRect(hwnd_, &rect, TRUE);
  }
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
  return ItemAtPoint({at.x, at.y}, client.right, client.bottom, static_cast<int>(top), static_cast<int>(height),
                     Count());
}

void Win32ListBox::Recount(int changed_at, int shift) {
  if (hwnd_ == nullptr) return;
  const LRESULT top = ::SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0);
  const LRESULT current = ::SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  const int selected =
      SelectionAfterChange(current == LB_ERR ? -1 : static_cast<int>(current), changed_at, shift, Count());
  ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(hwnd_, LB_SETCOUNT, Count(), 0);
  if (top != LB_ERR && top < Count()) ::SendMessageW(hwnd_, LB_SETTOPINDEX, top, 0);
  if (selected >= 0) ::SendMessageW(hwnd_, LB_SETCURSEL, selected, 0);
  ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32ListBox::Draw(const DRAWITEMSTRUCT& item, COLORREF background, COLORREF text) const {
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const int index = static_cast<int>(item.itemID);
  ::SetBkColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHT) : background);
  ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
  const std::wstring line = index >= 0 && index < Count() ? Item(index) : std::wstring();
  RECT rect = item.rcItem;
  ::ExtTextOutW(dc, rect.left + 2, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, line.data(),
                static_cast<UINT>(line.size()), nullptr);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &rect);
}

}  // namespace quillet
