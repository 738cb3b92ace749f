#include "text/plain_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/line_breaks.h"
#include "text/code_page.h"
#include "text/utf8.h"

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

// The decoding rules spelt out byte by byte: what the word-at-a-time decoder
// must agree with.
std::optional<std::u16string> Reference(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (auto utf8 = DecodeUtf8(bytes)) return NormaliseLineBreaks(*utf8);
  std::u16string text;
  for (char b : bytes) text += DecodeCodePageByte(1250, static_cast<std::uint8_t>(b));
  return NormaliseLineBreaks(text);
}

// Each piece at every position around the eight-byte words and around the
// edges of the decoder's 4096-unit buffer, inside plain ASCII.
TEST(PlainTextTest, EveryPieceAtEveryPositionDecodesAsByteByByte) {
  const std::pair<const char*, std::string> pieces[] = {
      {"CR LF", "\r\n"},
      {"lone CR", "\r"},
      {"lone LF", "\n"},
      {"LF CR", "\n\r"},
      {"CR CR LF", "\r\r\n"},
      {"two-byte UTF-8", "\xC4\x8D"},
      {"three-byte UTF-8", "\xE2\x82\xAC"},
      {"four-byte UTF-8", "\xF0\x9F\x98\x80"},
      {"windows-1250 byte", "\xE8"},
      {"cut-off UTF-8", "\xC4"},
      {"DEL and controls", "\x7F\x01\t"},
      {"NUL", std::string(1, '\0')},
  };
  std::vector<std::size_t> positions;
  for (std::size_t p = 0; p < 24; ++p) positions.push_back(p);
  for (std::size_t edge : {4096u, 8192u}) {
    for (std::size_t p = edge - 24; p < edge + 8; ++p) positions.push_back(p);
  }
  for (const auto& [name, piece] : pieces) {
    for (std::size_t position : positions) {
      for (std::size_t after : {0u, 1u, 7u, 8u, 9u, 300u}) {
        const std::string bytes = std::string(position, 'a') + piece + std::string(after, 'b');
        const auto text = DecodePlainText(bytes);
        const auto expected = Reference(bytes);
        ASSERT_EQ(text.has_value(), expected.has_value())
            << name << " at " << position << ", " << after << " after";
        if (text) {
          ASSERT_EQ(*text, *expected) << name << " at " << position << ", " << after << " after";
        }
      }
    }
  }
}

// Line breaks only, in every mix: the text grows most here, up to two units
// per byte.
TEST(PlainTextTest, TextOfLineBreaksOnly) {
  for (const char* bytes : {"\n\n\n\n\n\n\n\n\n\n\n", "\r\r\r\r\r\r\r\r\r", "\r\n\r\n\n\r\r\n\r",
                            "\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r"}) {
    const auto text = DecodePlainText(bytes);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, *Reference(bytes)) << bytes;
  }
}

}  // namespace
}  // namespace markwell

namespace markwell {
namespace {

// Lines of every length, so that CR LF pairs fall on every position of the
// sixteen-byte blocks the decoder takes at once, with one break of each
// other kind somewhere among them.
TEST(PlainTextTest, LinesOfEveryLengthAcrossBlockEdges) {
  for (std::size_t lineLength = 0; lineLength < 34; ++lineLength) {
    for (const char* odd : {"\r\n", "\r", "\n", "\n\r", "\xC3\xA1\r\n"}) {
      for (std::size_t oddLine = 0; oddLine < 18; ++oddLine) {
        std::string bytes;
        for (std::size_t line = 0; line < 18; ++line) {
          bytes += std::string(lineLength, 'x');
          bytes += line == oddLine ? odd : "\r\n";
        }
        const auto text = DecodePlainText(bytes);
        ASSERT_TRUE(text);
        ASSERT_EQ(*text, *Reference(bytes)) << lineLength << " " << oddLine;
      }
    }
  }
}

}  // namespace
}  // namespace markwell

namespace markwell {
namespace {

// Decoding in pieces must give what decoding the whole does, wherever the
// pieces cut a character, a CR LF or a byte-order mark, and for a source
// that returns fewer bytes than asked.
TEST(PlainTextTest, InPiecesAsWhole) {
  const std::string inputs[] = {
      "",
      "a\r\nb\rc\nd\n\re",
      "\r\r\n\n\r",
      "\xC4\x8D\xE2\x82\xAC\xF0\x9F\x98\x80x\xC4\x8D",
      "\xEF\xBB\xBF\xC4\x8D\r\n",
      "\xEF\xBB",
      "ok \xC4\x8D then windows-1250 \xE8\r\n\xE8",
      "cut at the end \xE2\x82",
      "late NUL \xE8" + std::string(40, 'x') + std::string(1, '\0'),
      std::string("\xFF\xFE"
                  "a\0\r\0\n\0",
                  8),
      std::string(5000, 'y') + "\r\n\xC3\xA1",
  };
  for (const std::string& bytes : inputs) {
    const auto whole = DecodePlainText(bytes);
    for (std::size_t piece : {1u, 2u, 3u, 5u, 16u, 17u, 4096u}) {
      for (std::size_t mostPerRead : {std::size_t{1}, std::size_t{7}, bytes.size() + 1}) {
        const ByteSource source = [&](std::uint64_t offset, std::span<char> into) {
          const std::size_t from = std::min<std::size_t>(offset, bytes.size());
          const std::size_t count = std::min({into.size(), bytes.size() - from, mostPerRead});
          std::copy_n(bytes.data() + from, count, into.data());
          return count;
        };
        const auto pieces = DecodePlainTextInPieces(source, bytes.size() / 2, piece);
        ASSERT_EQ(pieces, whole) << bytes.size() << " bytes, pieces of " << piece << ", reads of "
                                 << mostPerRead;
      }
    }
  }
}

}  // namespace
}  // namespace markwell
