#include "app/editor_window.h"

#include <algorithm>

#include <commctrl.h>

#include "app/clickable.h"
#include "app/painting.h"
#include "app/resource_ids.h"
#include "platform/twips.h"
#include "platform/win32/drag_source.h"
#include "platform/win32/system_error.h"
#include "ui/edit/editor_keys.h"
#include "ui/placement.h"
#include "ui/texts.h"

namespace quillet {
namespace {

constexpr COLORREF kBlue = ToColorRef(kStripBlue);
constexpr COLORREF kPanel = ToColorRef(kPanelYellow);
constexpr COLORREF kCaptionInk = ToColorRef(kWhite);
constexpr COLORREF kLabelInk = ToColorRef(kBlack);

constexpr wchar_t kTitleFace[] = L"Consolas";
constexpr float kTitlePoints = 12.0f;
constexpr wchar_t kTextFace[] = L"微软雅黑";
constexpr float kTextPoints = 12.0f;

constexpr UINT_PTR kText1Id = 201;
constexpr UINT_PTR kText2Id = 202;
// The button-like close picture and OK label.
constexpr int kImage3Click = 1;
constexpr int kLabel3Click = 2;

enum class EditorControl { kTitle, kImage3, kPicture1, kLabel1, kText1, kLabel2, kText2, kLabel3 };

struct EditorLayout {
  EditorControl id;
  bool in_panel;  // a child of Picture1, placed relative to it
  float left, top, width, height;
  const wchar_t* caption;
};

// The editor's design, in twips (15 twips are one pixel at 96 DPI).
constexpr float kWidth = kForm2Width;
constexpr float kHeight = kForm2Height;
constexpr std::array<EditorLayout, 8> kLayout{{
    {EditorControl::kTitle, false, 75, 15, 840, 300, L"Add"},
    {EditorControl::kImage3, false, 6165, 0, 300, 300, L""},
    {EditorControl::kPicture1, false, 60, 360, 6390, 1965, L""},
    {EditorControl::kLabel1, true, 60, 240, 1215, 390, L"触发关键字"},
    {EditorControl::kText1, true, 1395, 255, 4365, 375, L""},
    {EditorControl::kLabel2, true, 75, 795, 1170, 405, L"路径/网址"},
    {EditorControl::kText2, true, 1380, 810, 4380, 405, L""},
    {EditorControl::kLabel3, true, 1950, 1440, 2505, 375, L"OK"},
}};

std::function<void(HDC, const RECT&)> LabelPainter(const wchar_t* caption, HFONT font, COLORREF background,
                                                   COLORREF ink, UINT align) {
  return [=](HDC dc, const RECT& rect) { PaintLabel(dc, rect, caption, font, background, ink, align); };
}

}  // namespace

EditorWindow::EditorWindow(EditorWindowFactory& factory) : factory_(factory) { factory_.living_.push_back(this); }

EditorWindow::~EditorWindow() {
  auto& living = factory_.living_;
  living.erase(std::remove(living.begin(), living.end(), this), living.end());
}

Form2& EditorWindow::form() { return *factory_.form_; }

EditorBox EditorWindow::FocusedBox() const {
  const HWND focused = ::GetFocus();
  for (const EditorBox box : {EditorBox::kText1, EditorBox::kText2, EditorBox::kLabel3}) {
    if (focused != nullptr && focused == Box(box)) return box;
  }
  return EditorBox::kOther;
}

HWND EditorWindow::Box(EditorBox box) const {
  switch (box) {
    case EditorBox::kText2: return text2_.hwnd();
    case EditorBox::kLabel3: return label3_.hwnd();
    default: return text1_.hwnd();
  }
}

bool EditorWindow::Create(std::wstring& why) {
  // Sized and centred at the scale of the monitor it appears on.
  const Monitor primary = factory_.screen_.Primary();
  dpi_ = primary.dpi;
  const PixelRect at = InitialWindowRect(primary, kWidth, kHeight);
  WindowParams params{L"QuilletEditor"};
  params.ex_style = WS_EX_TOOLWINDOW;
  params.style = WS_POPUP | WS_CLIPCHILDREN;
  params.rect = {at.left, at.top, at.right, at.bottom};
  params.text = L"Form2";
  params.icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLET));
  if (MessageTarget::Create(params) == nullptr) {
    why = SystemErrorMessage(::GetLastError());
    return false;
  }
  const unsigned dpi = WindowDpi(hwnd());
  if (dpi != dpi_) {
    dpi_ = dpi;
    ::SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixels(kWidth, dpi_), TwipsToPixels(kHeight, dpi_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  window_.Attach(hwnd());
  CreateControls();
  if (text1_.hwnd() == nullptr || text2_.hwnd() == nullptr) {
    why = SystemErrorMessage(::GetLastError());
    return false;
  }
  text2_drop_.Register(text2_.hwnd(), [this](const DropData& data) { form().Text2_OLEDragDrop(data); });
  text2_hook_.Install(text2_.hwnd(), [this](UINT message, WPARAM wparam, LPARAM lparam) {
    return OnText2Message(message, wparam, lparam);
  });
  return true;
}

HWND EditorWindow::CreateEdit(HWND parent, const RECT& r) {
  const HWND edit =
      ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (edit != nullptr) ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(text_font_.get()), FALSE);
  return edit;
}

void EditorWindow::CreateControls() {
  title_font_ = MakeFont(kTitleFace, kTitlePoints, true, DEFAULT_CHARSET, dpi_);
  text_font_ = MakeFont(kTextFace, kTextPoints, false, GB2312_CHARSET, dpi_);
  const HFONT text_font = text_font_.get();
  for (const EditorLayout& control : kLayout) {
    const int x = TwipsToPixels(control.left, dpi_), y = TwipsToPixels(control.top, dpi_);
    const RECT r{x, y, x + TwipsToPixels(control.width, dpi_), y + TwipsToPixels(control.height, dpi_)};
    const HWND parent = control.in_panel ? picture1_.hwnd() : hwnd();
    switch (control.id) {
      case EditorControl::kTitle:
        title_.Create(parent, r,
                      {.paint = LabelPainter(control.caption, title_font_.get(), kBlue, kCaptionInk, DT_LEFT | DT_TOP)},
                      control.caption);
        break;
      case EditorControl::kImage3:
        image3_.Create(parent, r,
                       Clickable(
                           clicks_, kImage3Click, [](HDC dc, const RECT& rect) { PaintCross(dc, rect, kBlue); },
                           [this] { form().Image3_Click(); }),
                       kCloseIconName);
        break;
      case EditorControl::kPicture1:
        picture1_.Create(parent, r, {.paint = [](HDC dc, const RECT& rect) { Fill(dc, rect, kPanel); }});
        break;
      case EditorControl::kLabel1:
        label1_.Create(parent, r,
                       {.paint = LabelPainter(control.caption, text_font, kPanel, kLabelInk, DT_LEFT | DT_TOP)},
                       control.caption);
        break;
      case EditorControl::kLabel2:
        label2_.Create(parent, r,
                       {.paint = LabelPainter(control.caption, text_font, kPanel, kLabelInk, DT_LEFT | DT_TOP)},
                       control.caption);
        break;
      case EditorControl::kLabel3: {
        Surface::Events ok = Clickable(
            clicks_, kLabel3Click, LabelPainter(control.caption, text_font, kBlue, kCaptionInk, DT_CENTER | DT_VCENTER),
            [this] { form().Label3_Click(); });
        ok.tab_stop = true;
        label3_.Create(parent, r, std::move(ok), control.caption);
        break;
      }
      case EditorControl::kText1:
        text1_.Attach(CreateEdit(parent, r));
        if (text1_.hwnd() != nullptr) ::SetWindowLongPtrW(text1_.hwnd(), GWLP_ID, kText1Id);
        break;
      case EditorControl::kText2:
        text2_.Attach(CreateEdit(parent, r));
        if (text2_.hwnd() != nullptr) ::SetWindowLongPtrW(text2_.hwnd(), GWLP_ID, kText2Id);
        break;
    }
  }
}

LRESULT EditorWindow::OnText2Message(UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND edit = text2_.hwnd();
  const PixelPoint at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  switch (message) {
    case WM_LBUTTONDOWN: {
      DWORD start = 0, end = 0;
      ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      const int hit = LOWORD(::SendMessageW(edit, EM_CHARFROMPOS, 0, lparam));
      if (!text2_drag_.Press(at, static_cast<int>(start), static_cast<int>(end), hit)) break;
      ::SetFocus(edit);
      ::SetCapture(edit);
      return 0;
    }
    case WM_MOUSEMOVE: {
      const SelectionDrag::Move move = text2_drag_.Moved(at, (wparam & MK_LBUTTON) != 0);
      if (move.drag) {
        if (::GetCapture() == edit) ::ReleaseCapture();
        DWORD start = 0, end = 0;
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const std::wstring text = text2_.Text();
        if (start < end && end <= text.size()) {
          DWORD effect = DROPEFFECT_NONE;
          DragBlocks(TextBlocks(text.substr(start, end - start)), &effect);
        }
        return 0;
      }
      if (move.hold) return 0;
      break;
    }
    case WM_LBUTTONUP: {
      const bool ours = text2_drag_.ours();
      const int caret = text2_drag_.Release();
      if (!ours) break;
      if (::GetCapture() == edit) ::ReleaseCapture();
      if (caret >= 0) ::SendMessageW(edit, EM_SETSEL, caret, caret);
      return 0;
    }
  }
  return text2_hook_.Default(message, wparam, lparam);
}

bool EditorWindow::PreTranslate(const MSG& msg) {
  if (hwnd() == nullptr) return false;
  const bool in_box = msg.hwnd == text1_.hwnd() || msg.hwnd == text2_.hwnd();
  if (!in_box && msg.hwnd != hwnd() && msg.hwnd != label3_.hwnd()) return false;
  if (msg.message == WM_KEYDOWN) {
    const KeyPress key{static_cast<int>(msg.wParam), ::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0,
                       ::GetKeyState(VK_MENU) < 0};
    const EditorKeyAction action = RouteEditorKey(key, FocusedBox());
    if (action.focus) ::SetFocus(Box(*action.focus));
    if (action.press_ok) clicks_.Press(kLabel3Click);
    return action.consumed;
  }
  if (msg.message == WM_KEYUP && EditorKeyUpReleasesOk(static_cast<int>(msg.wParam), FocusedBox())) {
    if (clicks_.Release(kLabel3Click) == kLabel3Click) form().Label3_Click();
    return true;
  }
  return (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) && in_box &&
         EditorSwallowsChar(static_cast<wchar_t>(msg.wParam));
}

LRESULT EditorWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(hwnd(), &client);
      Fill(reinterpret_cast<HDC>(wparam), client, kBlue);
      return 1;
    }
    case WM_MOUSEMOVE:
      // A drag only while the primary button is held (see Surface).
      if (wparam & MK_LBUTTON) form().Form_MouseMove();
      return 0;
    case WM_ACTIVATE:
      // Give the focus back to the box that had it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        clicks_.Deactivated();
        const EditorBox focused = FocusedBox();
        focus_.Deactivated(focused == EditorBox::kOther ? std::nullopt : std::optional(focused));
      } else {
        ::SetFocus(Box(focus_.Activated()));
      }
      return 0;
    case WM_CLOSE:
      // Alt+F4 takes the close picture's road: the window stays for Form2 to hide.
      form().Image3_Click();
      return 0;
  }
  return Default(message, wparam, lparam);
}

std::unique_ptr<Form2View> EditorWindowFactory::Create(std::wstring& why) {
  if (form_ == nullptr) return nullptr;
  auto view = std::make_unique<EditorWindow>(*this);
  if (!view->Create(why)) return nullptr;
  return view;
}

bool EditorWindowFactory::PreTranslate(const MSG& msg) {
  for (EditorWindow* window : living_) {
    if (window->PreTranslate(msg)) return true;
  }
  return false;
}

}  // namespace quillet
