#include <gtest/gtest.h>

#include <random>

#include "store/entry_file.h"
#include "store/utf8_codec.h"
#include "tests/unit/store_test_support.h"

namespace quillet {
namespace {

using test::Gbk;

TEST(CodecTest, GbkDecodesChineseAndEscapesWhatIsNoCharacter) {
  EXPECT_EQ(Gbk().Decode("\xD6\xD0\xCE\xC4"), L"中文");
  // A lone lead byte at the end, a lead byte before CR, and 0xFF start no character.
  EXPECT_EQ(Gbk().Decode("a\x81"), (std::wstring{L'a', EscapeByte(0x81)}));
  EXPECT_EQ(Gbk().Decode("\x81\r\n"), (std::wstring{EscapeByte(0x81), L'\r', L'\n'}));
  EXPECT_EQ(Gbk().Decode("\xFF"), std::wstring(1, EscapeByte(0xFF)));
  EXPECT_EQ(Gbk().Decode(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(CodecTest, GbkEncodeRefusesWhatItCannotHoldInsteadOfWritingAQuestionMark) {
  EXPECT_EQ(Gbk().Encode(L"中文"), std::optional<std::string>("\xD6\xD0\xCE\xC4"));
  EXPECT_FALSE(Gbk().Encode(L"a\uD55Cb").has_value());
  EXPECT_FALSE(Gbk().Encode(L"\U0001F600").has_value());
  EXPECT_EQ(Gbk().Encode(std::wstring{L'x', EscapeByte(0x81)}), std::optional<std::string>("x\x81"));
}

TEST(CodecTest, Utf8HandlesEveryPlaneAndEscapesMalformedBytes) {
  const Utf8Codec utf8;
  EXPECT_EQ(utf8.Decode("\xE4\xB8\xAD\xF0\x9F\x98\x80"), L"中\U0001F600");
  EXPECT_EQ(utf8.Encode(L"中\U0001F600"), std::optional<std::string>("\xE4\xB8\xAD\xF0\x9F\x98\x80"));
  // Overlong NUL, an encoded surrogate, a truncated sequence: every byte escaped.
  for (const std::string bad : {"\xC0\x80", "\xED\xA0\x80", "\xE4\xB8"}) {
    const std::wstring text = utf8.Decode(bad);
    ASSERT_EQ(text.size(), bad.size()) << bad;
    for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_EQ(text[i], EscapeByte(static_cast<unsigned char>(bad[i])));
    EXPECT_EQ(utf8.Encode(text), std::optional<std::string>(bad));
  }
  EXPECT_FALSE(utf8.Encode(std::wstring(1, static_cast<wchar_t>(0xD800))).has_value());
}

// Random files of the bytes that matter (invalid GBK, lone CR and LF, NUL,
// empty lines, UTF-8 with and without the mark) come back byte for byte after
// a load and a save, as long as every line ends in CR LF.
TEST(CodecTest, LoadThenSaveGivesBackTheSameBytes) {
  std::mt19937 random(20261206);
  const std::vector<std::string> pieces = {
      "a", ":", "k:C:\\x", "\xD6\xD0", "\x81", "\xFF", "\x80", std::string(1, '\0'), "\n", " ",
      "\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xC0\x80", "\xA1\xA1", "\x81\x40", "\xFE\xFE", "\x7F"};
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = round % 3 == 0 ? std::string(kUtf8Bom) : std::string();
    const int lines = random() % 6;
    for (int l = 0; l < lines; ++l) {
      const int n = random() % 6;
      for (int p = 0; p < n; ++p) bytes += pieces[random() % pieces.size()];
      // A trailing lead byte would take the CR into a character on re-encode if it were lost.
      bytes += "\r\n";
    }
    test::MemoryFilePort port;
    port.files[L"d"] = bytes;
    EntryFile file(port, Gbk(), L"d");
    std::vector<std::wstring> list;
    ASSERT_TRUE(file.LoadLinesIntoList(list));
    if (bytes.empty() || bytes == kUtf8Bom) continue;  // no lines: a save writes one CR LF
    ASSERT_TRUE(file.Save(list));
    ASSERT_EQ(port.files[L"d"], bytes) << "round " << round;
  }
}

}  // namespace
}  // namespace quillet
