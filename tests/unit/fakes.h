#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/popup_menu.h"
#include "platform/twips.h"
#include "tests/unit/store_test_support.h"
#include "ui/edit/form2.h"
#include "ui/main/form1.h"

namespace quillet::test {

// What the user can see change: windows shown, hidden or raised, and the focus.
// Tests check the orderings that matter in it, not every call.
struct Events {
  std::vector<std::string> seen;
  void Add(std::string event) { seen.push_back(std::move(event)); }
  // Both happened, the first time of `first` before the first time of `second`.
  bool InOrder(const std::string& first, const std::string& second) const {
    const auto a = std::find(seen.begin(), seen.end(), first), b = std::find(seen.begin(), seen.end(), second);
    return a < b && b != seen.end();
  }
};

struct FakeWindow : Window {
  FakeWindow(Events& e, std::string n) : events_(e), name_(std::move(n)) {}
  Events& events_;
  std::string name_;
  bool visible = false, topmost = false, active = false;
  float left = 0, top = 0;  // 513 x 384 pixels at 96 DPI
  unsigned dpi = 96;
  PixelRect rect;

  void Show() override { visible = true, events_.Add(name_ + ".Show"); }
  void Activate() override { active = true, events_.Add(name_ + ".Activate"); }
  bool IsActive() const override { return active; }
  void Hide() override { visible = false, events_.Add(name_ + ".Hide"); }
  bool IsVisible() const override { return visible; }
  float Left() const override { return left; }
  float Top() const override { return top; }
  float Width() const override { return 7695; }
  float Height() const override { return 5760; }
  void SetLeft(float twips) override { left = twips; }
  void SetTop(float twips) override { top = twips; }
  void MoveTo(PixelPoint at) override {
    left = PixelsToTwips(at.x, dpi), top = PixelsToTwips(at.y, dpi);
    rect = {at.x, at.y, at.x + rect.right - rect.left, at.y + rect.bottom - rect.top};
  }
  void MakeTopmost(bool show) override { topmost = true, events_.Add(name_ + ".Topmost"), show ? Show() : void(); }
  WindowState State() const override { return WindowState::kNormal; }
  unsigned Dpi() const override { return dpi; }
  bool OuterRect(PixelRect& out) const override { return out = rect, true; }
  void BeginSystemDrag() override { events_.Add(name_ + ".Drag"); }
};

struct FakeListBox : ListBox {
  const ListItems* items = nullptr;
  int selected = -1;
  std::vector<std::wstring> rows;  // what the list shows, kept up to date by Changed alone
  void Show(const ListItems& shown) override {
    items = &shown, rows.clear();
    for (int i = 0; i < Count(); ++i) rows.push_back(items->Item(i));
  }
  void Changed(int at, int shift) override {
    const int size = static_cast<int>(rows.size());
    ASSERT_TRUE(at >= 0 && at - std::min(shift, 0) <= size && size + shift == Count() && (shift != 0 || at < size))
        << "Changed(" << at << ", " << shift << ") on " << size << " rows";
    if (shift < 0) rows.erase(rows.begin() + at, rows.begin() + at - shift);
    for (int i = 0; i < shift; ++i) rows.insert(rows.begin() + at + i, items->Item(at + i));
    if (shift == 0) rows[at] = items->Item(at);
    selected = SelectionAfterChange(selected, at, shift, Count());
  }
  int Count() const { return items->Count(); }
  int SelectedIndex() const override { return selected; }
  // Rows of 16 pixels from the client area's top.
  PixelRect client{100, 200, 600, 520};
  PixelRect ClientScreenRect() const override { return client; }
  std::optional<PixelRect> ItemScreenRect(int index) const override {
    if (index < 0 || index >= Count()) return std::nullopt;
    const int top = client.top + index * 16;
    return PixelRect{client.left, top, client.right, top + 16};
  }
};

struct FakeTextBox : TextBox {
  FakeTextBox(Events& e, std::string n) : events_(e), name_(std::move(n)) {}
  Events& events_;
  std::string name_;
  std::wstring text;
  std::wstring Text() const override { return text; }
  void SetText(const std::wstring& t) override { text = t; }
  void Focus() override { events_.Add(name_ + ".Focus"); }
  void SelectAll() override { events_.Add(name_ + ".SelectAll"); }
};

struct FakeScreen : Screen {
  Monitor primary{{0, 0, 1920, 1080}, 96};  // the only one
  PixelPoint cursor;
  Monitor Primary() const override { return primary; }
  std::vector<Monitor> Monitors() const override { return {primary}; }
  bool CursorPos(PixelPoint& out) const override { return out = cursor, true; }
};

struct FakeShell : Shell {
  std::vector<std::wstring> opened, directories;
  void Open(const std::wstring& file, const std::wstring& directory) override {
    opened.push_back(file), directories.push_back(directory);
  }
};

struct FakeEnvironment : Environment {
  std::map<std::wstring, std::wstring> variables;
  std::vector<std::wstring> paths;  // the files and folders that exist
  std::optional<std::wstring> Variable(const std::wstring& name) const override {
    return variables.contains(name) ? std::optional(variables.at(name)) : std::nullopt;
  }
  bool Exists(const std::wstring& path) const override { return std::ranges::count(paths, path) > 0; }
};

struct FakeMessages : MessageBoxes {
  struct Shown {
    std::wstring text, title;
    MessageStyle style;
    Window* owner;
  };
  std::vector<Shown> shown;
  std::deque<MessageAnswer> answers;  // the next answers; OK when none is left
  MessageAnswer Show(const std::wstring& text, const std::wstring& title, MessageStyle style, Window* owner) override {
    shown.push_back({text, title, style, owner});
    const MessageAnswer answer = answers.empty() ? MessageAnswer::kOk : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
};

struct FakeApp : Application {
  bool quit = false;
  std::optional<std::wstring> holding;  // the reason the end of the session is held for
  void Quit() override { quit = true; }
  void BlockEndOfSession(const std::wstring& reason) override { holding = reason; }
  void EndSessionAllowed() override { holding.reset(); }
};

struct FakeForm2View : Form2View {
  explicit FakeForm2View(Events& events)
      : window_(events, "Form2"), text1_(events, "Form2.Text1"), text2_(events, "Form2.Text2") {}
  Window& window() override { return window_; }
  TextBox& Text1() override { return text1_; }
  TextBox& Text2() override { return text2_; }
  FakeWindow window_;
  FakeTextBox text1_, text2_;
};

struct FakeForm2Views : Form2ViewFactory {
  explicit FakeForm2Views(Events& e) : events_(e) {}
  Events& events_;
  FakeForm2View* last = nullptr;
  std::wstring fail_with;  // non-empty: creation fails with this message
  std::unique_ptr<Form2View> Create(std::wstring& why) override {
    if (!fail_with.empty()) return why = fail_with, nullptr;
    auto view = std::make_unique<FakeForm2View>(events_);
    last = view.get();
    return view;
  }
};

struct FakeMenus : PopupMenuFactory {
  struct Menu : PopupMenu {
    explicit Menu(FakeMenus* o) : owner(o) {}
    FakeMenus* owner;
    int TrackAtCursor() override { return owner->Opened(std::nullopt); }
    int TrackAt(PixelPoint p) override { return owner->Opened(p); }
  };
  std::wstring choice;  // the caption the user picks; none: the menu is dismissed
  std::vector<std::wstring> captions;
  std::vector<std::optional<PixelPoint>> opened;  // where each menu opened; nothing: at the pointer
  int Opened(std::optional<PixelPoint> at) {
    opened.push_back(at);
    const auto it = std::find(captions.begin(), captions.end(), choice);
    return it == captions.end() ? -1 : static_cast<int>(it - captions.begin());
  }
  std::unique_ptr<PopupMenu> Create(const std::vector<std::wstring>& items) override {
    captions = items;
    return std::make_unique<Menu>(this);
  }
};

struct FakeDrop : DropData {
  explicit FakeDrop(std::optional<std::wstring> t = {}, std::vector<std::wstring> f = {})
      : text(std::move(t)), files(std::move(f)) {}
  std::optional<std::wstring> text;  // what the source offers
  std::vector<std::wstring> files;
  std::optional<std::wstring> Text() const override { return text; }
  std::vector<std::wstring> Files() const override { return files; }
};

// Form1 over fakes of every part, with data.txt in memory.
struct MainWindowFixture : ::testing::Test {
  const std::wstring kPath = L"C:\\q\\data.txt";
  Events events;
  FakeWindow window{events, "Form1"};
  FakeListBox list;
  EntryList entries{list};
  FakeTextBox text1{events, "Text1"};
  FakeScreen screen;
  FakeShell shell;
  FakeEnvironment env;
  FakeMessages messages;
  FakeApp app;
  MemoryFilePort port;
  EntryFile file{port, Gbk(), kPath};
  SharedState state;
  Form1 form{Form1Wiring{window, list, entries, text1, screen, shell, env, messages, app, file, state}};

  std::string& Bytes() { return port.files[kPath]; }
};

}  // namespace quillet::test
