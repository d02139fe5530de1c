#include "platform/win32/ansi_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace quillet {
namespace {

// Code page 936 named outright: what CP_ACP means depends on the locale the
// tests run under.
constexpr UINT kGbk = 936;
constexpr UINT kUtf8 = 65001;

// "中文" and "记事本" in GBK.
const std::string kZhongWen = "\xD6\xD0\xCE\xC4";
const std::string kJiShiBen = "\xBC\xC7\xCA\xC2\xB1\xBE";

std::string RoundTrip(const Codec& codec, const std::string& bytes) {
  return codec.Encode(codec.Decode(bytes)).value_or("<encode failed>");
}

// Random byte strings, weighted towards lead bytes and the bytes that end a
// decoding run, so that broken and valid double-byte pairs meet at every offset.
std::string RandomBytes(std::mt19937& rng, std::size_t length) {
  static constexpr unsigned char kFavourites[] = {0x81, 0x80, 0xFF, 0xFE, 0xA1, 0x40, 0x7F, 0x0D, 0x0A, 0x00, 0x2F, 0x30};
  std::uniform_int_distribution<int> any(0, 255), pick(0, sizeof kFavourites - 1), coin(0, 3);
  std::string out(length, '\0');
  for (char& c : out) c = static_cast<char>(coin(rng) == 0 ? kFavourites[pick(rng)] : any(rng));
  return out;
}

TEST(AnsiCodecGbk, ChineseTextRoundTripsThroughItsGbkBytes) {
  const AnsiCodec codec(kGbk);
  const std::string line = kZhongWen + "," + kJiShiBen + ",notepad.exe\r\n";
  EXPECT_EQ(codec.Decode(line), L"中文,记事本,notepad.exe\r\n");
  EXPECT_EQ(codec.Encode(L"中文,记事本,notepad.exe\r\n"), line);
  // GB2312 has the pinyin letters, so é is representable.
  EXPECT_EQ(codec.Encode(L"é"), std::string("\xA8\xA6"));
  EXPECT_EQ(codec.Decode("\xA8\xA6"), L"é");
}

TEST(AnsiCodecGbk, BytesThatStartNoCharacterComeBackEscapedOneByOne) {
  const AnsiCodec codec(kGbk);
  // A lead byte at the very end.
  EXPECT_EQ(codec.Decode("ab\x81"), L"ab\xDC81");
  // A lead byte before a byte that cannot follow it: the second byte keeps its meaning.
  EXPECT_EQ(codec.Decode("\x81\r\n" + kZhongWen), L"\xDC81\r\n中文");
  EXPECT_EQ(codec.Decode("\x81\x7F"), L"\xDC81\x7F");
  EXPECT_EQ(codec.Decode(kZhongWen + "\x81"), L"中文\xDC81");
  // Whatever 0x80 and 0xFF decode to, their bytes survive the round trip.
  for (const std::string bytes : {"\x80", "\xFF", "a\xFF\x81", "\x80\x80", "\xFF\xFF\xFF"}) {
    EXPECT_EQ(RoundTrip(codec, bytes), bytes);
  }
}

TEST(AnsiCodecGbk, NulBytesAreOrdinaryCharacters) {
  const AnsiCodec codec(kGbk);
  const std::string bytes = std::string("a\0b\0", 4) + kZhongWen + std::string("\0", 1);
  const std::wstring text = codec.Decode(bytes);
  EXPECT_EQ(text, std::wstring(L"a\0b\0中文\0", 7));
  EXPECT_EQ(codec.Encode(text), bytes);
}

TEST(AnsiCodecGbk, OneBadByteInALongTextLeavesItsNeighboursDecoded) {
  const AnsiCodec codec(kGbk);
  std::string bytes;
  std::wstring expected;
  for (int i = 0; i < 3000; ++i) {
    bytes += kJiShiBen;
    expected += L"记事本";
    if (i == 1700) {
      bytes += "\x81";  // a lead byte before a space: no character
      expected += L"\xDC81";
    }
    bytes += " ";
    expected += L" ";
  }
  const std::wstring text = codec.Decode(bytes);
  EXPECT_EQ(text.size(), expected.size());
  const auto [got, want] = std::mismatch(text.begin(), text.end(), expected.begin(), expected.end());
  EXPECT_TRUE(got == text.end()) << "first difference at unit " << (got - text.begin()) << ": " << int(*got)
                                 << " instead of " << (want == expected.end() ? -1 : int(*want));
  EXPECT_TRUE(codec.Encode(expected) == bytes);
}

TEST(AnsiCodecGbk, RandomBytesRoundTripByteForByte) {
  const AnsiCodec codec(kGbk);
  std::mt19937 rng(936);
  std::uniform_int_distribution<std::size_t> length(0, 48);
  for (int i = 0; i < 3000; ++i) {
    const std::string bytes = RandomBytes(rng, length(rng));
    ASSERT_EQ(RoundTrip(codec, bytes), bytes) << "case " << i;
  }
  // Long enough for several decoding runs, most of them with broken pairs.
  const std::string big = RandomBytes(rng, 200000);
  EXPECT_EQ(RoundTrip(codec, big), big);
}

TEST(AnsiCodecGbk, TextOutsideTheCodePageCannotBeEncoded) {
  const AnsiCodec codec(kGbk);
  EXPECT_EQ(codec.Encode(L"한국어"), std::nullopt);          // Hangul
  EXPECT_EQ(codec.Encode(L"ok \U0001F600"), std::nullopt);  // emoji, a surrogate pair
  // Best fit would write "A"; that would change the user's text.
  EXPECT_EQ(codec.Encode(L"À"), std::nullopt);
  // One bad character spoils the whole text, wherever it stands.
  EXPECT_EQ(codec.Encode(L"中文,记事本,notepad.exe\r\n한"), std::nullopt);
  EXPECT_EQ(codec.Encode(L"한\xDC81"), std::nullopt);
}

TEST(AnsiCodecGbk, EscapedBytesEncodeBackAndLoneSurrogatesDoNot) {
  const AnsiCodec codec(kGbk);
  EXPECT_EQ(codec.Encode(L"\xDC81"), std::string("\x81"));
  EXPECT_EQ(codec.Encode(L"中\xDC81\xDCFF文\xDC80"), "\xD6\xD0\x81\xFF\xCE\xC4\x80");
  // Surrogates that are neither a pair nor an escaped byte are not text of any code page.
  EXPECT_EQ(codec.Encode(L"a\xD800"), std::nullopt);
  EXPECT_EQ(codec.Encode(L"\xDC00"), std::nullopt);
  EXPECT_EQ(codec.Encode(L"\xDC7F"), std::nullopt);
  // U+10080 is a pair whose low half lies in the escape range; it is one
  // character (not in GBK), never a stray unit followed by byte 0x80.
  EXPECT_EQ(codec.Encode(L"\xD800\xDC80"), std::nullopt);
}

TEST(AnsiCodecUtf8, WellFormedSequencesDecodeAndOthersAreEscaped) {
  const AnsiCodec codec(kUtf8);
  EXPECT_EQ(codec.Decode("\xE4\xB8\xAD\xE6\x96\x87"), L"中文");
  EXPECT_EQ(codec.Decode("\xF0\x9F\x98\x80"), L"\U0001F600");
  EXPECT_EQ(codec.Decode("\xC0\xAF"), L"\xDCC0\xDCAF");            // overlong "/"
  EXPECT_EQ(codec.Decode("\xED\xA0\x80"), L"\xDCED\xDCA0\xDC80");  // an encoded surrogate
  EXPECT_EQ(codec.Decode("a\xE4\xB8"), L"a\xDCE4\xDCB8");          // cut short
  EXPECT_EQ(codec.Decode("\xE4\xB8\r\n"), L"\xDCE4\xDCB8\r\n");
}

TEST(AnsiCodecUtf8, EncodesEveryCharacterButNoLoneSurrogate) {
  const AnsiCodec codec(kUtf8);
  EXPECT_EQ(codec.Encode(L"한 \U0001F600 中"), "\xED\x95\x9C \xF0\x9F\x98\x80 \xE4\xB8\xAD");
  EXPECT_EQ(codec.Encode(L"\xD800\xDC80"), std::string("\xF0\x90\x82\x80"));
  EXPECT_EQ(codec.Encode(L"x\xDCFFy"), std::string("x\xFFy"));
  EXPECT_EQ(codec.Encode(L"\xD800"), std::nullopt);
  EXPECT_EQ(codec.Encode(L"\xDC00x"), std::nullopt);
}

TEST(AnsiCodecUtf8, RandomBytesRoundTripByteForByte) {
  const AnsiCodec codec(kUtf8);
  std::mt19937 rng(65001);
  std::uniform_int_distribution<std::size_t> length(0, 48);
  for (int i = 0; i < 3000; ++i) {
    const std::string bytes = RandomBytes(rng, length(rng));
    ASSERT_EQ(RoundTrip(codec, bytes), bytes) << "case " << i;
  }
}

TEST(AnsiCodecGb18030, FourByteCharactersAroundABadByteStayWhole) {
  // Second and fourth bytes of these forms are digits (0x30..0x39): the
  // search for a bad byte must not cut a character there.
  const AnsiCodec codec(54936);
  if (!codec.available()) GTEST_SKIP() << "the system has no code page 54936 (Wine 8 has none)";
  const std::string unit = "\x81\x30\x86\x38\x83\x36\x84\x33\x94\x39\xFC\x36";  // À 한 😀
  std::string bytes;
  std::wstring expected;
  for (int i = 0; i < 2000; ++i) {
    bytes += unit;
    expected += L"À한\U0001F600";
    if (i == 1000) {
      bytes += "\xFF";
      expected += L"\xDCFF";
    }
  }
  const std::wstring text = codec.Decode(bytes);
  const auto [got, want] = std::mismatch(text.begin(), text.end(), expected.begin(), expected.end());
  EXPECT_TRUE(got == text.end() && want == expected.end()) << "first difference at unit " << (got - text.begin());
  EXPECT_TRUE(codec.Encode(expected) == bytes);
  EXPECT_EQ(codec.Encode(L"\xD800"), std::nullopt);
}

TEST(AnsiCodecUnavailable, ACodePageTheSystemLacksKeepsAsciiAndEscapesTheRest) {
  const AnsiCodec codec(59999);
  ASSERT_FALSE(codec.available());
  EXPECT_EQ(codec.Decode("ab\x81\xFF\r\n"), L"ab\xDC81\xDCFF\r\n");
  EXPECT_EQ(codec.Encode(L"ab\xDC81\xDCFF\r\n"), std::string("ab\x81\xFF\r\n"));
  EXPECT_EQ(codec.Encode(L"中"), std::nullopt);
}

}  // namespace
}  // namespace quillet
