#include "text/code_page.h"

#include <gtest/gtest.h>

namespace markwell {
namespace {

struct ByteCase {
  int codePage;
  std::uint8_t byte;
  char16_t expected;
};

TEST(CodePage, DecodesCharactersOfEachCodePage) {
  const ByteCase cases[] = {
      {1250, 0x41, u'A'},
      {1250, 0x80, u'\u20AC'},
      {1250, 0x8A, u'\u0160'},
      {1250, 0x9A, u'\u0161'},
      {1250, 0x9D, u'\u0165'},
      {1250, 0xE8, u'\u010D'},
      {1250, 0xEC, u'\u011B'},
      {1250, 0xF8, u'\u0159'},
      {1250, 0xF9, u'\u016F'},
      {1250, 0xB9, u'\u0105'},
      {1250, 0xFF, u'\u02D9'},
      {1251, 0xC0, u'\u0410'},
      {1251, 0xFF, u'\u044F'},
      {1251, 0xA8, u'\u0401'},
      {1251, 0x80, u'\u0402'},
      {1252, 0x80, u'\u20AC'},
      {1252, 0xE9, u'\u00E9'},
      {1252, 0x9F, u'\u0178'},
      {1253, 0xC1, u'\u0391'},
      {1253, 0xF9, u'\u03C9'},
      {1253, 0xA2, u'\u0386'},
      {1254, 0xD0, u'\u011E'},
      {1254, 0xFD, u'\u0131'},
      {1254, 0xDE, u'\u015E'},
      {1257, 0xC0, u'\u0104'},
      {1257, 0xFE, u'\u017E'},
      {1257, 0xA8, u'\u00D8'},
      // Code pages without a table read as Western.
      {437, 0xE9, u'\u00E9'},
      {10000, 0x80, u'\u20AC'},
      // Undefined bytes: the C1 control of the same number, or U+FFFD.
      {1250, 0x81, u'\u0081'},
      {1252, 0x9D, u'\u009D'},
      {1253, 0xAA, u'\uFFFD'},
      {1257, 0xA1, u'\uFFFD'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeCodePageByte(c.codePage, c.byte), c.expected)
        << "code page " << c.codePage << " byte " << int(c.byte);
  }
}

TEST(CodePage, Windows1250EncodingInvertsDecoding) {
  for (int byte = 0; byte < 256; ++byte) {
    const char16_t c = DecodeCodePageByte(1250, static_cast<std::uint8_t>(byte));
    const auto encoded = EncodeWindows1250(c);
    ASSERT_TRUE(encoded.has_value()) << byte;
    EXPECT_EQ(*encoded, byte);
  }
  for (char16_t c :
       {u'\u00F1', u'\u0416', u'\u03A9', u'\u00E0', u'\uFFFD', u'\u20AD', char16_t{0xD83D}}) {
    EXPECT_FALSE(EncodeWindows1250(c).has_value()) << int(c);
  }
}

TEST(CodePage, CharsetsName) {
  const std::pair<int, int> cases[] = {{0, 1252},   {1, 0},      {2, 1252},   {77, 10000},
                                       {161, 1253}, {162, 1254}, {186, 1257}, {204, 1251},
                                       {238, 1250}, {-1, 0},     {9999, 0}};
  for (const auto& [charset, codePage] : cases) {
    EXPECT_EQ(CodePageOfCharset(charset), codePage) << "charset " << charset;
  }
}

}  // namespace
}  // namespace markwell
