#pragma once

#include <deque>
#include <map>
#include <set>
#include <optional>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/environment.h"
#include "platform/list_box.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/text_box.h"
#include "platform/window.h"

namespace quillet::test {

// Every fake writes what happened to one shared journal, so that tests can
// check the order of effects across parts.
using Journal = std::vector<std::string>;

class FakeWindow : public Window {
 public:
  explicit FakeWindow(Journal& journal, std::string name = "window") : journal_(journal), name_(std::move(name)) {}
  bool visible = false;
  bool topmost = false;
  float left = 0, top = 0, width = 7695, height = 5760;
  WindowState state = WindowState::kNormal;
  PixelRect rect;
  bool rect_fails = false;

  void Show() override { visible = true, journal_.push_back(name_ + ".Show"); }
  void Activate() override { active = true, journal_.push_back(name_ + ".Activate"); }
  void Hide() override { visible = false, journal_.push_back(name_ + ".Hide"); }
  bool IsVisible() const override { return visible; }
  bool active = false;
  bool IsActive() const override { return active; }
  float Left() const override { return left; }
  float Top() const override { return top; }
  float Width() const override { return width; }
  float Height() const override { return height; }
  void SetLeft(float twips) override { left = twips, journal_.push_back(name_ + ".SetLeft"); }
  void SetTop(float twips) override { top = twips, journal_.push_back(name_ + ".SetTop"); }
  void MakeTopmost(bool show) override {
    topmost = true;
    if (show) visible = true;
    journal_.push_back(name_ + (show ? ".MakeTopmostAndShow" : ".MakeTopmost"));
  }
  WindowState State() const override { return state; }
  unsigned dpi = 96;
  unsigned Dpi() const override { return dpi; }
  bool OuterRect(PixelRect& out) const override {
    if (!rect_fails) out = rect;
    return !rect_fails;
  }
  void BeginSystemDrag() override { journal_.push_back(name_ + ".Drag"); }

 private:
  Journal& journal_;
  std::string name_;
};

class FakeListBox : public ListBox {
 public:
  explicit FakeListBox(Journal& journal) : journal_(journal) {}
  std::vector<std::wstring> items;
  int selected = -1;

  const std::vector<std::wstring>& Items() const override { return items; }
  void AppendItems(std::vector<std::wstring> more) override {
    items.insert(items.end(), more.begin(), more.end());
    journal_.push_back("List1.Append");
  }
  void InsertItem(int index, std::wstring item) override { items.insert(items.begin() + index, std::move(item)); }
  void SetItem(int index, std::wstring item) override { items.at(index) = std::move(item); }
  void RemoveItem(int index) override { items.erase(items.begin() + index); }
  void Clear() override { items.clear(); }
  int SelectedIndex() const override { return selected; }
  // Rows of 16 pixels from the client area's top, the first shown being top_row.
  PixelRect client{100, 200, 600, 520};
  int top_row = 0;
  PixelRect ClientScreenRect() const override { return client; }
  std::optional<PixelRect> ItemScreenRect(int index) const override {
    if (index < 0 || index >= Count()) return std::nullopt;
    const int top = client.top + (index - top_row) * 16;
    return PixelRect{client.left, top, client.right, top + 16};
  }

 private:
  Journal& journal_;
};

class FakeTextBox : public TextBox {
 public:
  FakeTextBox(Journal& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
  std::wstring text;
  std::wstring Text() const override { return text; }
  void SetText(const std::wstring& t) override { text = t, journal_.push_back(name_ + ".SetText"); }
  void Focus() override { journal_.push_back(name_ + ".Focus"); }
  void SelectAll() override { journal_.push_back(name_ + ".SelectAll"); }

 private:
  Journal& journal_;
  std::string name_;
};

class FakeScreen : public Screen {
 public:
  Monitor primary{{0, 0, 1920, 1080}, 96};
  PixelPoint cursor;
  bool cursor_fails = false;
  PixelRect desktop{0, 0, 1920, 1080};
  Monitor Primary() const override { return primary; }
  PixelRect Desktop() const override { return desktop; }
  bool CursorPos(PixelPoint& out) const override {
    if (!cursor_fails) out = cursor;
    return !cursor_fails;
  }
};

class FakeShell : public Shell {
 public:
  std::vector<std::wstring> opened, directories;
  void Open(const std::wstring& file, const std::wstring& directory) override {
    opened.push_back(file);
    directories.push_back(directory);
  }
};

class FakeEnvironment : public Environment {
 public:
  std::map<std::wstring, std::wstring> variables;
  std::set<std::wstring> paths;  // the files and folders that exist
  std::optional<std::wstring> Variable(const std::wstring& name) const override {
    const auto found = variables.find(name);
    if (found == variables.end()) return std::nullopt;
    return found->second;
  }
  bool Exists(const std::wstring& path) const override { return paths.count(path) != 0; }
};

struct ShownMessage {
  std::wstring text, title;
  MessageStyle style;
  Window* owner;
};

class FakeMessages : public MessageBoxes {
 public:
  explicit FakeMessages(Journal& journal) : journal_(journal) {}
  std::vector<ShownMessage> shown;
  std::deque<MessageAnswer> answers;  // next answers; OK when empty
  MessageAnswer Show(const std::wstring& text, const std::wstring& title, MessageStyle style,
                     Window* owner) override {
    shown.push_back({text, title, style, owner});
    journal_.push_back("Message");
    if (answers.empty()) return MessageAnswer::kOk;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

 private:
  Journal& journal_;
};

class FakeApp : public Application {
 public:
  explicit FakeApp(Journal& journal) : journal_(journal) {}
  bool quit = false;
  void Quit() override { quit = true, journal_.push_back("Quit"); }

 private:
  Journal& journal_;
};

}  // namespace quillet::test

#include <memory>
#include <optional>

#include "platform/drop_data.h"
#include "platform/popup_menu.h"
#include "ui/edit/form2.h"

namespace quillet::test {

class FakeForm2View : public Form2View {
 public:
  explicit FakeForm2View(Journal& journal) : window_(journal, "Form2"), text1_(journal, "Form2.Text1"), text2_(journal, "Form2.Text2") {}
  Window& window() override { return window_; }
  TextBox& Text1() override { return text1_; }
  TextBox& Text2() override { return text2_; }
  FakeWindow window_;
  FakeTextBox text1_, text2_;
};

class FakeForm2Views : public Form2ViewFactory {
 public:
  explicit FakeForm2Views(Journal& journal) : journal_(journal) {}
  FakeForm2View* last = nullptr;
  int created = 0;
  std::wstring fail_with;  // non-empty: creation fails with this message
  std::unique_ptr<Form2View> Create(std::wstring& why) override {
    if (!fail_with.empty()) {
      why = fail_with;
      journal_.push_back("Form2.CreateFailed");
      return nullptr;
    }
    auto view = std::make_unique<FakeForm2View>(journal_);
    last = view.get();
    ++created;
    journal_.push_back("Form2.Create");
    return view;
  }

 private:
  Journal& journal_;
};

class FakeMenus : public PopupMenuFactory {
 public:
  struct Menu : PopupMenu {
    FakeMenus& owner;
    explicit Menu(FakeMenus& o) : owner(o) {}
    int TrackAtCursor() override {
      ++owner.popups;
      owner.at.reset();
      return owner.choice;
    }
    int TrackAt(PixelPoint p) override {
      ++owner.popups;
      owner.at = p;
      return owner.choice;
    }
  };
  std::vector<std::wstring> captions;
  int created = 0, popups = 0, choice = -1;
  std::optional<PixelPoint> at;  // where the last menu opened; nothing: at the pointer
  std::unique_ptr<PopupMenu> Create(const std::vector<std::wstring>& c) override {
    captions = c;
    ++created;
    return std::make_unique<Menu>(*this);
  }
};

struct FakeDrop : DropData {
  std::optional<std::wstring> text;
  std::vector<std::wstring> files;
  std::optional<std::wstring> Text() const override { return text; }
  std::vector<std::wstring> Files() const override { return files; }
};

}  // namespace quillet::test
