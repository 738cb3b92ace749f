#include "plain_text.h"

#include <gtest/gtest.h>

namespace markwell {
namespace {

TEST(PlainTextTest, DecodesUtf8OrWindows1250WithLineBreaksAsCrLf) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"ASCII with LF", "a\nb", u"a\r\nb"},
      {"lone CR and CR LF", "a\rb\r\nc", u"a\r\nb\r\nc"},
      {"UTF-8 Czech", "\xC4\x8D\x65\x73k\xC3\xBD", u"\u010Desk\u00FD"},
      {"UTF-8 byte-order mark is dropped", "\xEF\xBB\xBFx", u"x"},
      {"UTF-8 outside the BMP", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"windows-1250 Czech", "\xE8\x65sk\xFD", u"\u010Desk\u00FD"},
      {"windows-1250 quotes and euro", "\x80\x84\x93", u"\u20AC\u201E\u201C"},
      {"overlong UTF-8 is not UTF-8", "\xC0\xAF", u"\u0154\u017B"},
      {"UTF-8 surrogate is not UTF-8", "\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},
      {"UTF-16 LE with BOM",
       std::string("\xFF\xFE"
                   "a\0\r\0\n\0\x0D\x01",
                   10),
       u"a\r\n\u010D"},
      {"UTF-16 BE with BOM", std::string("\xFE\xFF\0b", 4), u"b"},
      {"empty", "", u""},
  };
  for (const auto& c : cases) {
    auto text = DecodePlainText(c.bytes);
    ASSERT_TRUE(text) << c.name;
    EXPECT_EQ(*text, c.text) << c.name;
  }
}

TEST(PlainTextTest, BinaryDataIsNotText) {
  EXPECT_FALSE(DecodePlainText(std::string("abc\0def", 7)));
  EXPECT_FALSE(DecodePlainText(std::string(100, '\0')));
  EXPECT_FALSE(
      DecodePlainText(std::string("\xFF\xFE"
                                  "a\0\0\0",
                                  6)));
}

}  // namespace
}  // namespace markwell
