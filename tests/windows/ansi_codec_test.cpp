#include "platform/win32/ansi_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quillet {
namespace {

// Code pages named outright: what CP_ACP means depends on the locale the tests run under.
constexpr UINT kGbk = 936, kUtf8 = 65001;

// One bad byte in a text of several decoding runs leaves its neighbours
// decoded, and a byte that can't follow a lead byte keeps its own meaning.
// (The unit tests run over this codec here, with GBK's own characters.)
TEST(AnsiCodecTest, GbkDecodesTextAndEscapesBytesThatStartNoCharacterOneByOne) {
  std::string bytes = "\x81\x7F";
  std::wstring text = L"\xDC81\x7F";
  for (int i = 0; i < 3000; ++i) {
    bytes += i == 1700 ? "\xBC\xC7\x81 " : "\xBC\xC7 ";
    text += i == 1700 ? L"记\xDC81 " : L"记 ";
  }
  const AnsiCodec codec(kGbk);
  EXPECT_TRUE(codec.Decode(bytes) == text);
  EXPECT_TRUE(codec.Encode(text) == bytes);
}

// Random byte strings, weighted towards lead bytes and the bytes that end a
// decoding run, so that broken and valid pairs meet at every offset.
TEST(AnsiCodecTest, RandomBytesRoundTripByteForByte) {
  std::mt19937 rng(936);
  const auto random_bytes = [&rng](std::size_t length) {
    static constexpr unsigned char kFavourites[] = {0x81, 0x80, 0xFF, 0xFE, 0xA1, 0x40,
                                                    0x7F, 0x0D, 0x0A, 0x00, 0x2F, 0x30};
    std::string out(length, '\0');
    for (char& c : out) c = static_cast<char>(rng() % 4 == 0 ? kFavourites[rng() % sizeof kFavourites] : rng() % 256);
    return out;
  };
  for (const UINT page : {kGbk, kUtf8}) {
    const AnsiCodec codec(page);
    for (int i = 0; i < 3000; ++i) {
      const std::string bytes = random_bytes(rng() % 49);
      ASSERT_EQ(codec.Encode(codec.Decode(bytes)), bytes) << "code page " << page << ", case " << i;
    }
    const std::string big = random_bytes(200000);  // several decoding runs
    EXPECT_TRUE(codec.Encode(codec.Decode(big)) == big) << page;
  }
}

// A code page the system lacks keeps ASCII and escapes the rest.
TEST(AnsiCodecTest, TextOutsideTheCodePageAndLoneSurrogatesCannotBeEncoded) {
  const AnsiCodec gbk(kGbk), utf8(kUtf8), none(59999);
  // Hangul, an emoji, best fit ("A" for "À"), one bad character at the end, stray
  // surrogates, and U+10080: a pair whose low half lies in the escape range.
  for (const std::wstring text :
       {L"한국어", L"ok \U0001F600", L"À", L"中文\r\n한", L"a\xD800", L"\xDC00", L"\xDC7F", L"\xD800\xDC80"}) {
    EXPECT_EQ(gbk.Encode(text), std::nullopt);
  }
  EXPECT_EQ(gbk.Encode(L"中\xDC81\xDCFF文\xDC80"), "\xD6\xD0\x81\xFF\xCE\xC4\x80");
  EXPECT_EQ(utf8.Encode(L"한\U0001F600\xD800\xDC80x\xDCFF"), "\xED\x95\x9C\xF0\x9F\x98\x80\xF0\x90\x82\x80x\xFF");
  EXPECT_EQ(utf8.Encode(L"\xD800"), std::nullopt);
  EXPECT_EQ(utf8.Decode("\xE4\xB8\xAD\xF0\x9F\x98\x80"), L"中\U0001F600");
  EXPECT_EQ(none.Decode("ab\x80\x81\xFF\r\n"), L"ab\xDC80\xDC81\xDCFF\r\n");
  EXPECT_EQ(none.Encode(L"ab\xDC80\xDC81\xDCFF\r\n"), std::string("ab\x80\x81\xFF\r\n"));
  EXPECT_EQ(none.Encode(L"中"), std::nullopt);
  EXPECT_EQ(utf8.Decode("\xC0\xAF\xED\xA0\x80\xE4\xB8\r\n"), L"\xDCC0\xDCAF\xDCED\xDCA0\xDC80\xDCE4\xDCB8\r\n");
}

}  // namespace
}  // namespace quillet
