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

constexpr UINT_PTR kText1Id = 201;
constexpr UINT_PTR kText2Id = 202;
// The button-like close picture and OK label.
constexpr int kImage3Click = 1;
constexpr int kLabel3Click = 2;

}  // namespace

EditorWindow::EditorWindow(EditorWindowFactory& factory)
    : FormWindow({kForm2Layout, kForm2Fonts, Form2Control::kPicture1, kForm2Width, kForm2Height, EditorBox::kText1}),
      factory_(factory) {
  factory_.living_.push_back(this);
}

EditorWindow::~EditorWindow() {
  auto& living = factory_.living_;
  living.erase(std::remove(living.begin(), living.end(), this), living.end());
}

Form2& EditorWindow::form() { return *factory_.form_; }

std::optional<EditorBox> EditorWindow::FocusedStop() const {
  const HWND focused = ::GetFocus();
  for (const EditorBox box : {EditorBox::kText1, EditorBox::kText2, EditorBox::kLabel3}) {
    if (focused != nullptr && focused == StopHwnd(box)) return box;
  }
  return std::nullopt;
}

HWND EditorWindow::StopHwnd(EditorBox box) const {
  switch (box) {
    case EditorBox::kText2: return text2_.hwnd();
    case EditorBox::kLabel3: return label3_.hwnd();
    default: return text1_.hwnd();
  }
}

bool EditorWindow::Create(std::wstring& why) {
  WindowParams params{L"QuilletEditor"};
  params.ex_style = WS_EX_TOOLWINDOW;
  params.style = WS_POPUP | WS_CLIPCHILDREN;
  params.text = L"Form2";
  params.icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLET));
  // Sized and centred at the scale of the monitor it appears on.
  if (CreateFrame(params, factory_.screen_.Primary()) == nullptr) {
    why = SystemErrorMessage(::GetLastError());
    return false;
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

HWND EditorWindow::CreateEdit(HWND parent, const RECT& r, UINT_PTR id) {
  return ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, r.left,
                           r.top, r.right - r.left, r.bottom - r.top, parent, reinterpret_cast<HMENU>(id),
                           ::GetModuleHandleW(nullptr), nullptr);
}

// The font is looked up at each paint: a change of scale makes it anew.
std::function<void(HDC, const RECT&)> EditorWindow::LabelPainter(const ControlLayout<Form2Control>& row,
                                                                 COLORREF background, COLORREF ink, UINT align) {
  const wchar_t* caption = row.caption;
  const int font = row.font;
  return [=, this](HDC dc, const RECT& rect) { PaintLabel(dc, rect, caption, FontAt(font), background, ink, align); };
}

HWND EditorWindow::CreateControl(const ControlLayout<Form2Control>& row, HWND parent, const RECT& r) {
  switch (row.id) {
    case Form2Control::kTitle:
      title_.Create(parent, r, {.paint = LabelPainter(row, kBlue, kCaptionInk, DT_LEFT | DT_TOP)}, row.caption);
      return title_.hwnd();
    case Form2Control::kImage3:
      image3_.Create(parent, r,
                     Clickable(
                         clicks_, kImage3Click, [](HDC dc, const RECT& rect) { PaintCross(dc, rect, kBlue); },
                         [this] { form().Image3_Click(); }),
                     kCloseIconName);
      return image3_.hwnd();
    case Form2Control::kPicture1:
      picture1_.Create(parent, r, {.paint = [](HDC dc, const RECT& rect) { Fill(dc, rect, kPanel); }});
      return picture1_.hwnd();
    case Form2Control::kLabel1:
      label1_.Create(parent, r, {.paint = LabelPainter(row, kPanel, kLabelInk, DT_LEFT | DT_TOP)}, row.caption);
      return label1_.hwnd();
    case Form2Control::kLabel2:
      label2_.Create(parent, r, {.paint = LabelPainter(row, kPanel, kLabelInk, DT_LEFT | DT_TOP)}, row.caption);
      return label2_.hwnd();
    case Form2Control::kLabel3: {
      Surface::Events ok =
          Clickable(clicks_, kLabel3Click, LabelPainter(row, kBlue, kCaptionInk, DT_CENTER | DT_VCENTER),
                    [this] { form().Label3_Click(); });
      ok.tab_stop = true;
      label3_.Create(parent, r, std::move(ok), row.caption);
      return label3_.hwnd();
    }
    case Form2Control::kText1: text1_.Attach(CreateEdit(parent, r, kText1Id)); return text1_.hwnd();
    case Form2Control::kText2: text2_.Attach(CreateEdit(parent, r, kText2Id)); return text2_.hwnd();
  }
  return nullptr;
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

bool EditorWindow::OnKeyDown(const KeyPress& key) {
  const EditorKeyAction action = RouteEditorKey(key, FocusedBox());
  if (action.focus) ::SetFocus(StopHwnd(*action.focus));
  if (action.press_ok) clicks_.Press(kLabel3Click);
  return action.consumed;
}

bool EditorWindow::OnKeyUp(int key) {
  if (!EditorKeyUpReleasesOk(key, FocusedBox())) return false;
  if (clicks_.Release(kLabel3Click) == kLabel3Click) form().Label3_Click();
  return true;
}

bool EditorWindow::OnChar(wchar_t c, HWND target) {
  return (target == text1_.hwnd() || target == text2_.hwnd()) && EditorSwallowsChar(c);
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
      // A press before the activation went elsewhere completes no click later;
      // the window base gives the focus back.
      if (LOWORD(wparam) == WA_INACTIVE) clicks_.Deactivated();
      break;
    case WM_CLOSE:
      // Alt+F4 takes the close picture's road: the window stays for Form2 to hide.
      form().Image3_Click();
      return 0;
  }
  return FormWindow::OnMessage(message, wparam, lparam);
}

std::unique_ptr<Form2View> EditorWindowFactory::Create(std::wstring& why) {
  if (form_ == nullptr) return nullptr;
  auto view = std::make_unique<EditorWindow>(*this);
  if (!view->Create(why)) return nullptr;
  return view;
}

HWND EditorWindowFactory::HwndOf(const Window& window) const {
  for (EditorWindow* editor : living_) {
    if (&editor->window() == &window) return editor->hwnd();
  }
  return nullptr;
}

bool EditorWindowFactory::PreTranslate(const MSG& msg) {
  for (EditorWindow* window : living_) {
    if (window->PreTranslate(msg)) return true;
  }
  return false;
}

}  // namespace quillet
