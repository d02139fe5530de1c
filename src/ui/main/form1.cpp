#include "ui/main/form1.h"

#include "ui/drag_window.h"
#include "ui/keys.h"
#include "ui/main/dock.h"
#include "ui/main/form1_layout.h"
#include "ui/main/launch.h"
#include "ui/placement.h"
#include "ui/texts.h"

namespace quillet {

void Form1::Form_Load() {
  CentreOnPrimary(wiring_.window, wiring_.screen, kForm1Width, kForm1Height);
  // A folder that takes no save is named now, once, rather than at every save.
  // A file that failed to load has said so already; saves wait for a load.
  if (LoadEntryFile()) {
    const IoStatus writable = wiring_.file.ProbeSave();
    if (!writable) {
      wiring_.messages.Show(UnsavableFolderText(FolderOf(wiring_.file.path()), writable.message), kAppTitle,
                            MessageStyle::kOk);
    }
  }
  wiring_.Text1.Focus();
  wiring_.window.MakeTopmost(/*show=*/true);
}

bool Form1::LoadEntryFile() {
  const IoStatus status = wiring_.entries.Load(wiring_.file);
  if (!status) wiring_.messages.Show(kReadFailedPrefix + FailureText(status), kAppTitle, MessageStyle::kOk);
  return status.ok;
}

void Form1::Form_KeyDown(int key_code) {
  if (key_code == kKeyEnter) Command5_Click();
}

void Form1::Command5_Click() { LaunchByKeyword(wiring_.file, wiring_.Text1.Text(), *this); }

void Form1::OpenTarget(const std::wstring& target) {
  const Launch launch = PlanLaunch(target, wiring_.env);
  wiring_.shell.Open(launch.file, launch.directory);
}

void Form1::Command1_Click() { LoadEntryFile(); }

void Form1::Command2_Click() { wiring_.entries.Clear(); }

bool Form1::MayOverwrite() {
  if (!wiring_.file.ChangedSinceSeen()) return true;
  return wiring_.messages.Show(kChangedElsewhereQuestion, kAppTitle, MessageStyle::kOkCancelDefaultCancel) ==
         MessageAnswer::kOk;
}

void Form1::Command3_Click() {
  if (!MayOverwrite()) return;
  const IoStatus status = ConfigSave();
  if (!status) wiring_.messages.Show(kWriteFailedPrefix + FailureText(status), kAppTitle, MessageStyle::kOk);
}

IoStatus Form1::ConfigSave() { return wiring_.entries.Save(wiring_.file); }

DockInputs Form1::ReadDockInputs() const {
  DockInputs in;
  wiring_.screen.CursorPos(in.pointer);  // a failed read leaves zeros
  wiring_.window.OuterRect(in.rect);
  in.state = wiring_.window.State();
  in.left = wiring_.window.Left();
  in.top = wiring_.window.Top();
  in.width = wiring_.window.Width();
  in.height = wiring_.window.Height();
  in.dpi = wiring_.window.Dpi();
  in.monitors = wiring_.screen.Monitors();
  return in;
}

void Form1::Apply(const DockMove& move) {
  if (move.edge == DockMove::Edge::kTop) wiring_.window.SetTop(move.value);
  if (move.edge == DockMove::Edge::kLeft) wiring_.window.SetLeft(move.value);
  if (move.edge == DockMove::Edge::kToPrimary) wiring_.window.MoveTo(move.at);
  if (move.show) wiring_.window.Show();
  if (move.raise) wiring_.window.MakeTopmost(/*show=*/false);
}

void Form1::Timer1_Timer() {
  DockInputs in = ReadDockInputs();
  in.active = wiring_.window.IsActive();
  if (!in.active) summoned_ = false;
  in.summoned = summoned_;
  Apply(DockTick(in));
}

void Form1::Form_HotKey() {
  Apply(DockRestore(ReadDockInputs()));
  wiring_.window.Show();
  wiring_.window.Activate();
  wiring_.Text1.Focus();
  wiring_.Text1.SelectAll();
  summoned_ = true;
}

void Form1::pmenu_MouseMove() { DragWindow(wiring_.window); }
void Form1::title_MouseMove() { DragWindow(wiring_.window); }

void Form1::Image1_Click() { wiring_.shell.Open(std::wstring(L"https://") + kHomePageHost + kHomePagePath, L""); }

void Form1::List1_MouseUp(MouseButton button) {
  if (button != MouseButton::kLeft) return;
  wiring_.state.SelectedIndex = wiring_.List1.SelectedIndex();
  if (menu_ != nullptr) menu_->PopupList2you();
}

void Form1::List1_MenuKey() {
  wiring_.state.SelectedIndex = wiring_.List1.SelectedIndex();
  const PixelPoint at =
      KeyMenuPoint(wiring_.List1.ItemScreenRect(wiring_.state.SelectedIndex), wiring_.List1.ClientScreenRect());
  if (menu_ != nullptr) menu_->PopupList2youAt(at);
}

void Form1::List1_OLEDragDrop(const DropData& data) {
  const std::optional<std::wstring> value = data.TextOrFirstFile();
  if (!value || editor_ == nullptr) return;
  wiring_.window.Hide();
  wiring_.state.EditMode = 0;
  if (!editor_->Show()) return;
  editor_->Text2().SetText(*value);
}

bool Form1::Image3_Click() {
  if (wiring_.state.DataChanged == 1 && !SaveBeforeClosing()) return false;
  wiring_.app.Quit();
  return true;
}

bool Form1::SaveBeforeClosing() {
  if (wiring_.file.ChangedSinceSeen()) {
    switch (wiring_.messages.Show(kChangedElsewhereQuestion, kAppTitle, MessageStyle::kYesNoCancelDefaultCancel)) {
      case MessageAnswer::kYes: break;
      case MessageAnswer::kNo: return true;  // data.txt stays as the other program wrote it
      default: return false;
    }
  }
  const IoStatus status = ConfigSave();
  if (status) return true;
  // Enter keeps the program and the changes.
  const std::wstring text = kWriteFailedPrefix + FailureText(status) + kQuitAnywaySuffix;
  return wiring_.messages.Show(text, kAppTitle, MessageStyle::kOkCancelDefaultCancel) == MessageAnswer::kOk;
}

bool Form1::Form_QueryEndSession() {
  if (wiring_.state.DataChanged != 1) return true;
  if (!wiring_.file.ChangedSinceSeen() && ConfigSave()) return true;
  wiring_.app.BlockEndOfSession(kUnsavedChangesReason);
  return false;
}

void Form1::Form_EndSession(bool ending) {
  if (ending)
    wiring_.app.Quit();
  else
    wiring_.app.EndSessionAllowed();
}

}  // namespace quillet
