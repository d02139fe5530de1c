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
  CentreOnPrimary(p_.window, p_.screen, kForm1Width, kForm1Height);
  // A folder that takes no save is named now, once, rather than at every save.
  // A file that failed to load has said so already; saves wait for a load.
  if (LoadEntryFile()) {
    const IoStatus writable = p_.file.ProbeSave();
    if (!writable) {
      p_.messages.Show(UnsavableFolderText(FolderOf(p_.file.path()), writable.message), kAppTitle, MessageStyle::kOk);
    }
  }
  p_.Text1.Focus();
  p_.window.MakeTopmost(/*show=*/true);
}

bool Form1::LoadEntryFile() {
  const IoStatus status = p_.List1Items.Load(p_.file);
  if (!status) p_.messages.Show(kReadFailedPrefix + FailureText(status), kAppTitle, MessageStyle::kOk);
  return status.ok;
}

void Form1::Form_KeyDown(int key_code, int /*shift*/) {
  if (key_code == kKeyEnter) Command5_Click();
}

void Form1::Command5_Click() { LaunchByKeyword(p_.file, p_.Text1.Text(), *this); }

void Form1::OpenTarget(const std::wstring& target) {
  const Launch launch = PlanLaunch(target, p_.env);
  p_.shell.Open(launch.file, launch.directory);
}

void Form1::Command1_Click() { LoadEntryFile(); }

void Form1::Command2_Click() { p_.List1Items.Clear(); }

bool Form1::MayOverwrite() {
  if (!p_.file.ChangedSinceSeen()) return true;
  return p_.messages.Show(kChangedElsewhereQuestion, kAppTitle, MessageStyle::kOkCancelDefaultCancel) ==
         MessageAnswer::kOk;
}

void Form1::Command3_Click() {
  if (!MayOverwrite()) return;
  const IoStatus status = ConfigSave();
  if (!status) p_.messages.Show(kWriteFailedPrefix + FailureText(status), kAppTitle, MessageStyle::kOk);
}

IoStatus Form1::ConfigSave() { return p_.List1Items.Save(p_.file); }

DockInputs Form1::ReadDockInputs() const {
  DockInputs in;
  p_.screen.CursorPos(in.pointer);  // a failed read leaves zeros
  p_.window.OuterRect(in.rect);
  in.state = p_.window.State();
  in.left = p_.window.Left();
  in.top = p_.window.Top();
  in.width = p_.window.Width();
  in.height = p_.window.Height();
  in.dpi = p_.window.Dpi();
  in.monitors = p_.screen.Monitors();
  return in;
}

void Form1::Apply(const DockMove& move) {
  if (move.edge == DockMove::Edge::kTop) p_.window.SetTop(move.value);
  if (move.edge == DockMove::Edge::kLeft) p_.window.SetLeft(move.value);
  if (move.edge == DockMove::Edge::kToPrimary) p_.window.MoveTo(move.at);
  if (move.show) p_.window.Show();
  if (move.raise) p_.window.MakeTopmost(/*show=*/false);
}

void Form1::Timer1_Timer() {
  DockInputs in = ReadDockInputs();
  in.active = p_.window.IsActive();
  if (!in.active) summoned_ = false;
  in.summoned = summoned_;
  Apply(DockTick(in));
}

void Form1::Form_HotKey() {
  Apply(DockRestore(ReadDockInputs()));
  p_.window.Show();
  p_.window.Activate();
  p_.Text1.Focus();
  p_.Text1.SelectAll();
  summoned_ = true;
}

void Form1::pmenu_MouseMove() { DragWindow(p_.window); }
void Form1::title_MouseMove() { DragWindow(p_.window); }

void Form1::Image1_Click() { p_.shell.Open(std::wstring(L"https://") + kHomePageHost + kHomePagePath, L""); }

void Form1::List1_MouseUp(MouseButton button) {
  if (button != MouseButton::kLeft) return;
  p_.state.SelectedIndex = p_.List1.SelectedIndex();
  if (menu_ != nullptr) menu_->PopupList2you();
}

void Form1::List1_MenuKey() {
  p_.state.SelectedIndex = p_.List1.SelectedIndex();
  const PixelPoint at = KeyMenuPoint(p_.List1.ItemScreenRect(p_.state.SelectedIndex), p_.List1.ClientScreenRect());
  if (menu_ != nullptr) menu_->PopupList2youAt(at);
}

void Form1::List1_OLEDragDrop(const DropData& data) {
  const std::optional<std::wstring> value = data.TextOrFirstFile();
  if (!value || editor_ == nullptr) return;
  p_.window.Hide();
  p_.state.EditMode = 0;
  if (!editor_->Show()) return;
  editor_->Text2().SetText(*value);
}

bool Form1::Image3_Click() {
  if (p_.state.DataChanged == 1 && !SaveBeforeClosing()) return false;
  p_.app.Quit();
  return true;
}

bool Form1::SaveBeforeClosing() {
  if (p_.file.ChangedSinceSeen()) {
    switch (p_.messages.Show(kChangedElsewhereQuestion, kAppTitle, MessageStyle::kYesNoCancelDefaultCancel)) {
      case MessageAnswer::kYes: break;
      case MessageAnswer::kNo: return true;  // data.txt stays as the other program wrote it
      default: return false;
    }
  }
  const IoStatus status = ConfigSave();
  if (status) return true;
  // Enter keeps the program and the changes.
  const std::wstring text = kWriteFailedPrefix + FailureText(status) + kQuitAnywaySuffix;
  return p_.messages.Show(text, kAppTitle, MessageStyle::kOkCancelDefaultCancel) == MessageAnswer::kOk;
}

bool Form1::Form_QueryEndSession() {
  if (p_.state.DataChanged != 1) return true;
  if (!p_.file.ChangedSinceSeen() && ConfigSave()) return true;
  p_.app.BlockEndOfSession(kUnsavedChangesReason);
  return false;
}

void Form1::Form_EndSession(bool ending) {
  if (ending)
    p_.app.Quit();
  else
    p_.app.EndSessionAllowed();
}

}  // namespace quillet
