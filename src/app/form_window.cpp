#include "app/form_window.h"

#include <utility>

#include "platform/twips.h"
#include "ui/edit/editor_keys.h"
#include "ui/edit/form2_layout.h"
#include "ui/main/form1_layout.h"
#include "ui/placement.h"

namespace quillet {

template <class Id, class Stop>
HWND FormWindow<Id, Stop>::CreateFrame(WindowParams params, const Monitor& monitor) {
  dpi_ = monitor.dpi;
  const PixelRect at = InitialWindowRect(monitor, design_.width, design_.height);
  params.rect = {at.left, at.top, at.right, at.bottom};
  if (MessageTarget::Create(params) == nullptr) return nullptr;
  if (WindowDpi(hwnd()) != dpi_) {
    dpi_ = WindowDpi(hwnd());
    ::SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixels(design_.width, dpi_), TwipsToPixels(design_.height, dpi_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  fonts_.resize(design_.fonts.size());
  controls_.assign(design_.layout.size(), nullptr);
  return hwnd();
}

template <class Id, class Stop>
RECT FormWindow<Id, Stop>::RowRect(const ControlLayout<Id>& row) const {
  const PixelRect r = ControlPixels(row, dpi_);
  return {r.left, r.top, r.right, r.bottom};
}

template <class Id, class Stop>
void FormWindow<Id, Stop>::CreateControls(bool (*wanted)(const ControlLayout<Id>&)) {
  for (std::size_t i = 0; i < design_.layout.size(); ++i) {
    const ControlLayout<Id>& row = design_.layout[i];
    if (wanted != nullptr && !wanted(row)) continue;
    const HWND parent = row.in_panel ? ControlHwnd(design_.panel) : hwnd();
    controls_[i] = CreateControl(row, parent, RowRect(row));
    if (controls_[i] != nullptr && row.font != kNoFont) {
      ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(FontAt(row.font)), FALSE);
    }
  }
}

template <class Id, class Stop>
HWND FormWindow<Id, Stop>::ControlHwnd(Id id) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (design_.layout[i].id == id) return controls_[i];
  }
  return nullptr;
}

// Made at the first use, at the window's DPI.
template <class Id, class Stop>
HFONT FormWindow<Id, Stop>::FontAt(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= fonts_.size()) return nullptr;
  Font& font = fonts_[index];
  if (font.get() == nullptr) {
    const ControlFont& wanted = design_.fonts[index];
    font = MakeFont(wanted.face, wanted.points, wanted.bold, wanted.gb2312 ? GB2312_CHARSET : DEFAULT_CHARSET, dpi_);
  }
  return font.get();
}

template <class Id, class Stop>
void FormWindow<Id, Stop>::OnDpiChanged(unsigned dpi, const RECT& suggested) {
  dpi_ = dpi;
  std::vector<Font> old_fonts = std::move(fonts_);  // in use until every control has its new one
  fonts_ = std::vector<Font>(design_.fonts.size());
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == nullptr) continue;
    const ControlLayout<Id>& row = design_.layout[i];
    const RECT r = RowRect(row);
    ::SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (row.font != kNoFont) ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(FontAt(row.font)), TRUE);
  }
  Relaid();
  ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, TwipsToPixels(design_.width, dpi_),
                 TwipsToPixels(design_.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
  // The controls too: where a control shrank, its parent's old pixels would stay.
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

template <class Id, class Stop>
bool FormWindow<Id, Stop>::PreTranslate(const MSG& msg) {
  if (hwnd() == nullptr) return false;
  if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)) return false;
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // Alt+key comes as a system key
      return OnKeyDown({static_cast<int>(msg.wParam), ::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0,
                        ::GetKeyState(VK_MENU) < 0});
    case WM_KEYUP: return OnKeyUp(static_cast<int>(msg.wParam));
    case WM_CHAR:
    case WM_SYSCHAR: return OnChar(static_cast<wchar_t>(msg.wParam), msg.hwnd);
  }
  return false;
}

template <class Id, class Stop>
LRESULT FormWindow<Id, Stop>::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      // Give the focus back to the control that had it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        focus_.Deactivated(FocusedStop());
      } else {
        ::SetFocus(StopHwnd(focus_.Activated()));
      }
      return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
  }
  return Default(message, wparam, lparam);
}

template class FormWindow<Form1Control, Form1Control>;
template class FormWindow<Form2Control, EditorBox>;

}  // namespace quillet
