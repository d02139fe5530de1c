#include "app/main_window.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "app/clickable.h"
#include "app/painting.h"
#include "app/resource_ids.h"
#include "platform/twips.h"
#include "platform/win32/drag_source.h"
#include "ui/main/main_keys.h"
#include "ui/main/summon.h"
#include "ui/placement.h"
#include "ui/texts.h"

namespace quillet {
namespace {

constexpr UINT_PTR kTimer1Id = 1;
constexpr int kSummonHotKeyId = 1;
// Room for the keyword box's tool tip to break into its lines.
constexpr int kToolTipWidth = 600;
constexpr UINT_PTR kList1Id = 110;
constexpr UINT_PTR kText1Id = 111;
// Command1..Command5 get the ids 101..105.
constexpr UINT_PTR kCommandIdBase = 100;
// The button-like pictures of the title strip.
constexpr int kImage1Click = 1;
constexpr int kImage3Click = 2;

PixelPoint PointOf(LPARAM lparam) { return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))}; }

int CommandNumber(Form1Control id) {
  switch (id) {
    case Form1Control::kCommand1: return 1;
    case Form1Control::kCommand2: return 2;
    case Form1Control::kCommand3: return 3;
    case Form1Control::kCommand4: return 4;
    case Form1Control::kCommand5: return 5;
    default: return 0;
  }
}

}  // namespace

bool MainWindow::Create(StartupMarks& marks) {
  blue_ = Brush(::CreateSolidBrush(ToColorRef(kStripBlue)));
  yellow_ = Brush(::CreateSolidBrush(ToColorRef(kListYellow)));
  // Made at the size and place it has on the monitor it appears on, whose
  // scale may differ from the system's at sign-in.
  const Monitor primary = services_.screen.Primary();
  dpi_ = primary.dpi;
  const PixelRect at = InitialWindowRect(primary, kForm1Width, kForm1Height);
  WindowParams params{L"QuilletMain"};
  // Topmost from its creation: Wine only tells the window manager when it maps the window.
  params.ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.style = WS_POPUP | WS_CLIPCHILDREN;
  params.rect = {at.left, at.top, at.right, at.bottom};
  params.text = kForm1WindowText;
  params.background = blue_.get();
  params.icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLET));
  if (MessageTarget::Create(params) == nullptr) return false;
  marks.Mark("window");
  window_.Attach(hwnd());
  if (WindowDpi(hwnd()) != dpi_) {
    dpi_ = WindowDpi(hwnd());
    ::SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixels(kForm1Width, dpi_), TwipsToPixels(kForm1Height, dpi_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CreateControls(/*on_screen_at_start=*/true);
  marks.Mark("controls");
  SetListItemHeight();
  marks.Mark("list_item_height");
  services_.app.SetMainWindow(hwnd());
  form_ = std::make_unique<Form1>(Form1Wiring{window_, list_, items_, text1_, services_.screen, services_.shell,
                                              services_.env, services_.messages, services_.app, services_.file,
                                              services_.state});
  // Ticks from creation on, also while the window is hidden.
  ::SetTimer(hwnd(), kTimer1Id, kTimer1IntervalMs, nullptr);
  list_hook_.Install(list_.hwnd(), [this](UINT message, WPARAM wparam, LPARAM lparam) {
    return OnListMessage(message, wparam, lparam);
  });
  return true;
}

void MainWindow::FinishAfterShown() {
  // Last in the layout, they stay last in the stacking and the tab order.
  CreateControls(/*on_screen_at_start=*/false);
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  tooltip_ =
      ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, instance, nullptr);
  // The summoning key; when another program holds it the launcher works as
  // before, and the keyword box's tool tip says so.
  const UINT modifiers = MOD_NOREPEAT | (kSummonChord.ctrl ? MOD_CONTROL : 0) | (kSummonChord.shift ? MOD_SHIFT : 0) |
                         (kSummonChord.alt ? MOD_ALT : 0);
  const bool chord_taken = !summon_key_.Register(hwnd(), kSummonHotKeyId, modifiers, kSummonChord.key);
  text1_tip_ = Text1ToolTip(chord_taken);
  if (tooltip_ != nullptr) ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kToolTipWidth);
  AddToolTip(text1_.hwnd(), text1_tip_.c_str());
  AddToolTip(image1_.hwnd(), kImage1ToolTip);
  if (list_.hwnd() != nullptr) {
    // When a client of accessibility first asks; where the system has no
    // annotation service, LB_GETTEXT still answers.
    list_.AnnotateItemNamesOnRequest();
    list_drop_.Register(list_.hwnd(), [this](const DropData& data) { form_->List1_OLEDragDrop(data); });
  }
}

// Pixels relative to the parent: the window, or the strip for its children.
RECT MainWindow::ControlRect(const ControlLayout& layout) const {
  const int x = TwipsToPixels(layout.left, dpi_), y = TwipsToPixels(layout.top, dpi_);
  return {x, y, x + TwipsToPixels(layout.width, dpi_), y + TwipsToPixels(layout.height, dpi_)};
}

HFONT MainWindow::FontFor(const ControlFont* wanted) {
  const ControlFont* fonts[] = {&kConsolas9, &kConsolas105, &kConsolas12Bold, &kSimSun9};
  for (std::size_t i = 0; i < 4; ++i) {
    if (fonts[i] != wanted) continue;
    if (fonts_[i].get() == nullptr) {
      const BYTE charset = wanted == &kSimSun9 ? GB2312_CHARSET : DEFAULT_CHARSET;
      fonts_[i] = MakeFont(wanted->face, wanted->points, wanted->bold, charset, dpi_);
    }
    return fonts_[i].get();
  }
  return nullptr;
}

void MainWindow::CreateControls(bool on_screen_at_start) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const COLORREF blue = ToColorRef(kStripBlue);
  for (const ControlLayout& layout : kForm1Layout) {
    if (OnScreenAtStart(layout) != on_screen_at_start) continue;
    const RECT r = ControlRect(layout);
    const HWND parent = layout.in_strip ? strip_.hwnd() : hwnd();
    HWND created = nullptr;
    switch (layout.id) {
      case Form1Control::kPmenu:
        strip_.Create(hwnd(), r,
                      {.paint = [blue](HDC dc, const RECT& rect) { Fill(dc, rect, blue); },
                       .mouse_move = [this] { form_->pmenu_MouseMove(); }});
        created = strip_.hwnd();
        break;
      case Form1Control::kTitle: {
        const ControlFont* font = layout.font;
        const wchar_t* caption = layout.caption;
        title_.Create(parent, r,
                      {.paint =
                           [this, blue, font, caption](HDC dc, const RECT& rect) {
                             PaintLabel(dc, rect, caption, FontFor(font), blue, ToColorRef(kWhite), DT_LEFT | DT_TOP);
                           },
                       .mouse_move = [this] { form_->title_MouseMove(); }},
                      caption);
        created = title_.hwnd();
        break;
      }
      case Form1Control::kText1:
        created = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, parent, reinterpret_cast<HMENU>(kText1Id),
                                    instance, nullptr);
        text1_.Attach(created);
        break;
      case Form1Control::kImage1:
        image1_.Create(parent, r,
                       Clickable(
                           clicks_, kImage1Click, [blue](HDC dc, const RECT& rect) { PaintHouse(dc, rect, blue); },
                           [this] { form_->Image1_Click(); }),
                       kImage1ToolTip);
        created = image1_.hwnd();
        break;
      case Form1Control::kImage3:
        image3_.Create(parent, r,
                       Clickable(
                           clicks_, kImage3Click, [blue](HDC dc, const RECT& rect) { PaintCross(dc, rect, blue); },
                           [this] { form_->Image3_Click(); }),
                       kCloseIconName);
        created = image3_.hwnd();
        break;
      case Form1Control::kList1:
        created = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | Win32ListBox::kStyle,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                    reinterpret_cast<HMENU>(kList1Id), instance, nullptr);
        list_.Attach(created);
        break;
      default: {
        const int number = CommandNumber(layout.id);
        const DWORD visible = layout.id == Form1Control::kCommand5 ? 0 : WS_VISIBLE;
        created = ::CreateWindowExW(0, L"BUTTON", layout.caption, WS_CHILD | visible | BS_PUSHBUTTON, r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, parent,
                                    reinterpret_cast<HMENU>(kCommandIdBase + number), instance, nullptr);
        buttons_[number - 1] = created;
      }
    }
    if (created != nullptr && layout.font != nullptr) {
      ::SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(layout.font)), FALSE);
    }
  }
}

// Owner-drawn items are as high as the list's font.
void MainWindow::SetListItemHeight() {
  const WindowDC dc(list_.hwnd());
  if (!dc) return;
  TEXTMETRICW metrics{};
  {
    Selected font(dc.get(), FontFor(&kConsolas105));
    ::GetTextMetricsW(dc.get(), &metrics);
  }
  ::SendMessageW(list_.hwnd(), LB_SETITEMHEIGHT, 0, metrics.tmHeight > 0 ? metrics.tmHeight : 16);
}

HWND MainWindow::LayoutHwnd(Form1Control id) const {
  switch (id) {
    case Form1Control::kPmenu: return strip_.hwnd();
    case Form1Control::kTitle: return title_.hwnd();
    case Form1Control::kImage1: return image1_.hwnd();
    case Form1Control::kImage3: return image3_.hwnd();
    default: return Control(id);
  }
}

// The window moved to a monitor of another DPI: the same twips at the new
// DPI, fonts made anew, in the place the system suggests.
void MainWindow::OnDpiChanged(unsigned dpi, const RECT& suggested) {
  dpi_ = dpi;
  std::array<Font, 4> old_fonts = std::move(fonts_);  // in use until every control has its new one
  fonts_ = {};
  for (const ControlLayout& layout : kForm1Layout) {
    const HWND control = LayoutHwnd(layout.id);
    if (control == nullptr) continue;
    const RECT r = ControlRect(layout);
    ::SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (layout.font != nullptr)
      ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(layout.font)), TRUE);
  }
  SetListItemHeight();
  ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, TwipsToPixels(kForm1Width, dpi_),
                 TwipsToPixels(kForm1Height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::AddToolTip(HWND tool, const wchar_t* text) {
  if (tooltip_ == nullptr) return;
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = hwnd();
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text);
  ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

HWND MainWindow::Control(Form1Control id) const {
  switch (id) {
    case Form1Control::kText1: return text1_.hwnd();
    case Form1Control::kList1: return list_.hwnd();
    default: {
      const int number = CommandNumber(id);
      return number > 0 ? buttons_[number - 1] : nullptr;
    }
  }
}

std::optional<Form1Control> MainWindow::FocusedControl() const {
  const HWND focused = ::GetFocus();
  for (const Form1Control id : kForm1TabOrder) {
    if (focused != nullptr && Control(id) == focused) return id;
  }
  return std::nullopt;
}

bool MainWindow::PreTranslate(const MSG& msg) {
  if (hwnd() == nullptr) return false;
  if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)) return false;
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {  // Alt+Enter comes as a system key
      const KeyPress key{static_cast<int>(msg.wParam), ::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0,
                         ::GetKeyState(VK_MENU) < 0};
      const MainKeyAction action = RouteMainKey(key, FocusedControl());
      if (action.focus) ::SetFocus(Control(*action.focus));
      if (action.key_down) form_->Form_KeyDown(kKeyEnter, key.ShiftState());
      if (action.press_command != 0) OnCommand(static_cast<int>(kCommandIdBase) + action.press_command);
      if (action.open_menu) form_->List1_MenuKey();
      return action.consumed;
    }
    case WM_CHAR:
    case WM_SYSCHAR:
      // The key-down reached the box; the line break it types would only beep.
      return IsBeepingLineBreak(static_cast<wchar_t>(msg.wParam));
  }
  return false;
}

void MainWindow::OnCommand(int id) {
  switch (id - static_cast<int>(kCommandIdBase)) {
    case 1: form_->Command1_Click(); break;
    case 2: form_->Command2_Click(); break;
    case 3: form_->Command3_Click(); break;
    case 4: form_->Command4_Click(); break;
    case 5: form_->Command5_Click(); break;
  }
}

LRESULT MainWindow::OnListMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const auto button_of = [](UINT m) {
    switch (m) {
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
      case WM_RBUTTONUP: return MouseButton::kRight;
      case WM_MBUTTONDOWN:
      case WM_MBUTTONDBLCLK:
      case WM_MBUTTONUP: return MouseButton::kMiddle;
      default: return MouseButton::kLeft;
    }
  };
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const LRESULT result = list_hook_.Default(message, wparam, lparam);
      const PixelPoint at = PointOf(lparam);
      list_gesture_.Press(button_of(message), at, list_.ItemAt({at.x, at.y}));
      return result;
    }
    case WM_MOUSEMOVE: {
      const DragGesture::Move move = list_gesture_.Moved(PointOf(lparam), (wparam & MK_LBUTTON) != 0);
      if (move.drag_item >= 0 && move.drag_item < list_.Count()) {
        // The drag takes the mouse capture: the list box stops tracking the press.
        DWORD effect = DROPEFFECT_NONE;
        DragBlocks(TextBlocks(items_.Item(move.drag_item)), &effect);
      }
      if (move.hold) return 0;
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      // A release belongs to the control the button was pressed on; the
      // list box updates its selection first.
      const MouseButton button = button_of(message);
      const bool click = list_gesture_.Release(button);
      const LRESULT result = list_hook_.Default(message, wparam, lparam);
      if (click) form_->List1_MouseUp(button);
      return result;
    }
  }
  return list_hook_.Default(message, wparam, lparam);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) > kCommandIdBase && LOWORD(wparam) <= kCommandIdBase + 5) {
        OnCommand(LOWORD(wparam));
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->CtlID == kList1Id) {
        list_.Draw(*item, ToColorRef(kListYellow), ToColorRef(kBlack));
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORLISTBOX:
      ::SetBkColor(reinterpret_cast<HDC>(wparam), ToColorRef(kListYellow));
      return reinterpret_cast<LRESULT>(yellow_.get());
    case WM_CTLCOLOREDIT:
      ::SetBkColor(reinterpret_cast<HDC>(wparam), ToColorRef(kStripBlue));
      ::SetTextColor(reinterpret_cast<HDC>(wparam), ToColorRef(kBlack));
      return reinterpret_cast<LRESULT>(blue_.get());
    case WM_ACTIVATE:
      // Give the focus back to the control that had it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        clicks_.Deactivated();
        focus_.Deactivated(FocusedControl());
      } else {
        ::SetFocus(Control(focus_.Activated()));
      }
      return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
    case WM_HOTKEY:
      // The system lets the window that gets the hot key take the foreground.
      if (wparam == kSummonHotKeyId) form_->Form_HotKey();
      return 0;
    case WM_TIMER:
      if (wparam == kTimer1Id) {
        form_->Timer1_Timer();
        return 0;
      }
      break;
    case WM_CLOSE:
      // Alt+F4 and other requests to close take the close icon's road.
      form_->Image3_Click();
      return 0;
    case WM_QUERYENDSESSION: return form_->Form_QueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION: form_->Form_EndSession(wparam != FALSE); return 0;
  }
  return Default(message, wparam, lparam);
}

}  // namespace quillet
