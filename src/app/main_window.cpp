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

bool OnScreen(const Form1Layout& row) { return OnScreenAtStart(row); }
bool OffScreen(const Form1Layout& row) { return !OnScreenAtStart(row); }

}  // namespace

MainWindow::MainWindow(const Services& services)
    : FormWindow({kForm1Layout, kForm1Fonts, Form1Control::kPmenu, kForm1Width, kForm1Height, Form1Control::kText1}),
      services_(services) {}

bool MainWindow::Create() {
  blue_ = Brush(::CreateSolidBrush(ToColorRef(kStripBlue)));
  yellow_ = Brush(::CreateSolidBrush(ToColorRef(kListYellow)));
  WindowParams params{L"QuilletMain"};
  // Topmost from its creation: Wine only tells the window manager when it maps the window.
  params.ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.style = WS_POPUP | WS_CLIPCHILDREN;
  params.text = kForm1WindowText;
  params.background = blue_.get();
  params.icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLET));
  // Made at the size and place it has on the monitor it appears on, whose
  // scale may differ from the system's at sign-in.
  if (CreateFrame(params, services_.screen.Primary()) == nullptr) return false;
  MarkStartup("window");
  window_.Attach(hwnd());
  CreateControls(&OnScreen);
  MarkStartup("controls");
  SetListItemHeight();
  MarkStartup("list_item_height");
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

void MainWindow::FinishAfterShown(const SummonSetting& summon) {
  // Last in the layout, they stay last in the stacking and the tab order.
  CreateControls(&OffScreen);
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  tooltip_ =
      ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, instance, nullptr);
  // The summoning key; when another program holds it the launcher works as
  // before, and the keyword box's tool tip says so.
  bool chord_taken = false;
  if (const std::optional<Chord>& chord = summon.chord) {  // none when Quillet.ini switches it off
    const UINT modifiers = MOD_NOREPEAT | (chord->ctrl ? MOD_CONTROL : 0) | (chord->shift ? MOD_SHIFT : 0) |
                           (chord->alt ? MOD_ALT : 0) | (chord->win ? MOD_WIN : 0);
    chord_taken = !summon_key_.Register(hwnd(), kSummonHotKeyId, modifiers, chord->key);
  }
  text1_tip_ = Text1ToolTip(summon, chord_taken);
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

HWND MainWindow::CreateControl(const Form1Layout& row, HWND parent, const RECT& r) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const COLORREF blue = ToColorRef(kStripBlue);
  switch (row.id) {
    case Form1Control::kPmenu:
      strip_.Create(parent, r,
                    {.paint = [blue](HDC dc, const RECT& rect) { Fill(dc, rect, blue); },
                     .mouse_move = [this] { form_->pmenu_MouseMove(); }});
      return strip_.hwnd();
    case Form1Control::kTitle: {
      const int font = row.font;
      const wchar_t* caption = row.caption;
      title_.Create(parent, r,
                    {.paint =
                         [this, blue, font, caption](HDC dc, const RECT& rect) {
                           PaintLabel(dc, rect, caption, FontAt(font), blue, ToColorRef(kWhite), DT_LEFT | DT_TOP);
                         },
                     .mouse_move = [this] { form_->title_MouseMove(); }},
                    caption);
      return title_.hwnd();
    }
    case Form1Control::kText1:
      text1_.Attach(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r.left,
                                      r.top, r.right - r.left, r.bottom - r.top, parent,
                                      reinterpret_cast<HMENU>(kText1Id), instance, nullptr));
      return text1_.hwnd();
    case Form1Control::kImage1:
      image1_.Create(parent, r,
                     Clickable(
                         clicks_, kImage1Click, [blue](HDC dc, const RECT& rect) { PaintHouse(dc, rect, blue); },
                         [this] { form_->Image1_Click(); }),
                     kImage1ToolTip);
      return image1_.hwnd();
    case Form1Control::kImage3:
      image3_.Create(parent, r,
                     Clickable(
                         clicks_, kImage3Click, [blue](HDC dc, const RECT& rect) { PaintCross(dc, rect, blue); },
                         [this] { form_->Image3_Click(); }),
                     kCloseIconName);
      return image3_.hwnd();
    case Form1Control::kList1:
      list_.Attach(::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | Win32ListBox::kStyle,
                                     r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                     reinterpret_cast<HMENU>(kList1Id), instance, nullptr));
      return list_.hwnd();
    default: {
      const DWORD visible = row.id == Form1Control::kCommand5 ? 0 : WS_VISIBLE;
      return ::CreateWindowExW(0, L"BUTTON", row.caption, WS_CHILD | visible | BS_PUSHBUTTON, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, parent,
                               reinterpret_cast<HMENU>(kCommandIdBase + CommandNumber(row.id)), instance, nullptr);
    }
  }
}

// Owner-drawn items are as high as the list's font.
void MainWindow::SetListItemHeight() {
  const WindowDC dc(list_.hwnd());
  if (!dc) return;
  TEXTMETRICW metrics{};
  {
    Selected font(dc.get(), FontAt(kConsolas105));
    ::GetTextMetricsW(dc.get(), &metrics);
  }
  ::SendMessageW(list_.hwnd(), LB_SETITEMHEIGHT, 0, metrics.tmHeight > 0 ? metrics.tmHeight : 16);
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

std::optional<Form1Control> MainWindow::FocusedStop() const {
  const HWND focused = ::GetFocus();
  for (const Form1Control id : kForm1TabOrder) {
    if (focused != nullptr && ControlHwnd(id) == focused) return id;
  }
  return std::nullopt;
}

bool MainWindow::OnKeyDown(const KeyPress& key) {
  const MainKeyAction action = RouteMainKey(key, FocusedStop());
  if (action.focus) ::SetFocus(ControlHwnd(*action.focus));
  if (action.key_down) form_->Form_KeyDown(kKeyEnter);
  if (action.press_command != 0) OnCommand(static_cast<int>(kCommandIdBase) + action.press_command);
  if (action.open_menu) form_->List1_MenuKey();
  return action.consumed;
}

// The key-down reached the box; the line break it types would only beep.
bool MainWindow::OnChar(wchar_t c, HWND) { return IsBeepingLineBreak(c); }

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
      // A press before the activation went elsewhere completes no click later;
      // the window base gives the focus back.
      if (LOWORD(wparam) == WA_INACTIVE) clicks_.Deactivated();
      break;
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
  return FormWindow::OnMessage(message, wparam, lparam);
}

}  // namespace quillet
