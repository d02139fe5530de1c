#include "ui/main/summon.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/main/form1_layout.h"

namespace quillet {
namespace {

ReadOutcome Ini(std::string bytes) { return {ReadOutcome::Kind::kOk, std::move(bytes), L""}; }
ReadOutcome Value(const std::string& value) { return Ini("[Quillet]\r\nSummonKey=" + value + "\r\n"); }

// UTF-16 with its mark, in either byte order.
ReadOutcome Utf16(const std::u16string& text, bool little) {
  std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t c : text) {
    const char low = static_cast<char>(c), high = static_cast<char>(c >> 8);
    bytes += little ? std::string{low, high} : std::string{high, low};
  }
  return Ini(bytes);
}

TEST(SummonSettingTest, ReadsTheChordOrKeepsTheDefaultAndSaysWhatItCouldNotRead) {
  const struct {
    const char* name;
    ReadOutcome file;
    const wchar_t* chord;  // its name, or "off"
    std::wstring refused;
  } rows[] = {
      {"no file", {ReadOutcome::Kind::kMissing, "", L""}, L"Ctrl+Alt+F3", L""},
      {"set", Value("Ctrl+Alt+F8"), L"Ctrl+Alt+F8", L""},
      {"any case, spaces around the parts", Ini("; mine\n[ quillet ]\n  summonkey =  shift + CTRL +  f9 \n"),
       L"Ctrl+Shift+F9", L""},
      {"named keys", Value("Win+Alt+PageDown"), L"Alt+Win+PageDown", L""},
      {"a letter, a digit", Value("ctrl+alt+shift+q"), L"Ctrl+Alt+Shift+Q", L""},
      {"the first of two", Ini("[Quillet]\nSummonKey=Alt+9\nSummonKey=Alt+8\n"), L"Alt+9", L""},
      {"empty: off", Value(""), L"off", L""},
      {"none: off", Value("NONE"), L"off", L""},
      {"outside the section", Ini("SummonKey=Ctrl+Alt+F8\n[Other]\nSummonKey=Alt+1\n"), L"Ctrl+Alt+F3", L""},
      {"UTF-8 with its mark", Ini("\xEF\xBB\xBF[Quillet]\nSummonKey=Ctrl+F12\n"), L"Ctrl+F12", L""},
      {"UTF-16, little end first", Utf16(u"[Quillet]\r\nSummonKey=Ctrl+Alt+End\r\n", true), L"Ctrl+Alt+End", L""},
      {"UTF-16, big end first", Utf16(u"[Quillet]\r\nSummonKey=Ctrl+Alt+Home\r\n", false), L"Ctrl+Alt+Home", L""},
      {"unknown name", Value("Ctrl+Alt+Foo"), L"Ctrl+Alt+F3", L"Ctrl+Alt+Foo"},
      {"F24 and F25", Value("Alt+F24"), L"Alt+F24", L""},
      {"F0 and F25", Value("Ctrl+F25"), L"Ctrl+Alt+F3", L"Ctrl+F25"},
      {"modifiers only", Value("Ctrl+Alt"), L"Ctrl+Alt+F3", L"Ctrl+Alt"},
      {"no modifier", Value("F8"), L"Ctrl+Alt+F3", L"F8"},
      {"Shift alone takes a character", Value("Shift+A"), L"Ctrl+Alt+F3", L"Shift+A"},
      {"full-width letters", Value("\xEF\xBC\xA3trl+F8"), L"Ctrl+Alt+F3", L"\xFF23trl+F8"},
      {"a byte that is no UTF-8", Value("Ctrl+\xB8\xC4"), L"Ctrl+Alt+F3", L"Ctrl+\xFFFD\xFFFD"},
      {"40 characters: whole", Value("Ctrl+Ctrl+Ctrl+Ctrl+Ctrl+Ctrl+Ctrl+Foo12"), L"Ctrl+Alt+F3",
       L"Ctrl+Ctrl+Ctrl+Ctrl+Ctrl+Ctrl+Ctrl+Foo12"},
      {"a very long line", Value(std::string(5000, 'x')), L"Ctrl+Alt+F3", std::wstring(40, L'x') + L"…"},
      {"UTF-16 without its mark: no key found", Ini(std::string("[\0Q\0]\0", 6)), L"Ctrl+Alt+F3", L""},
  };
  for (const auto& row : rows) {
    const SummonSetting setting = ReadSummonSetting(row.file);
    EXPECT_EQ(setting.chord ? ChordName(*setting.chord) : L"off", row.chord) << row.name;
    EXPECT_EQ(setting.refused, row.refused) << row.name;
  }
  // What the keyword box's tool tip says.
  EXPECT_EQ(Text1ToolTip(ReadSummonSetting(Value("Ctrl+Alt+Foo")), false),
            std::wstring(kText1ToolTip) + L"\nQuillet.ini 中的 SummonKey 值无法识别：Ctrl+Alt+Foo，仍使用 Ctrl+Alt+F3");
  EXPECT_EQ(Text1ToolTip(ReadSummonSetting({ReadOutcome::Kind::kFailed, "", L"拒绝访问。"}), false),
            std::wstring(kText1ToolTip) + L"\n无法读取 Quillet.ini：拒绝访问。");
  EXPECT_EQ(Text1ToolTip(SummonSetting(), /*held_elsewhere=*/true),
            std::wstring(kText1ToolTip) + L"\n快捷键 Ctrl+Alt+F3 已被其他程序占用，无法用它唤出本窗口");
}

}  // namespace
}  // namespace quillet
