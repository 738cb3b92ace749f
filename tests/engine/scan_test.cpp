// The scans of engine/scan/ at the places where a vector version can go
// wrong: block edges, units from 0x8000 up, neighbours of the letter ranges.
// The scan twins fuzz target compares the two versions on any input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/byte_widen.h"
#include "scan/equal_run.h"
#include "scan/plain_ascii.h"
#include "scan/unit_search.h"

namespace markwell {
namespace {

// The definition: the first unit from `from` on that is of the class.
int Expected(std::u16string_view text, int from, const scan::UnitClass& units) {
  int p = from;
  while (p < static_cast<int>(text.size()) && !units.Contains(text[p])) ++p;
  return std::max(p, from);
}

TEST(ScanTest, SearchesFindTheFirstUnitAtEveryPlaceOfABlock) {
  const struct {
    const char* name;
    char16_t unit;
    scan::UnitClass units;
  } cases[] = {
      {"quote among letters", u'\'', scan::UnitClass(u"'{(/", true)},
      {"CR among letters", u'\r', scan::UnitClass(u";\r")},
      // Setting bit 5 maps these next to the letters; they stay outside.
      {"at sign", u'@', scan::kIdentifierChars},
      {"bracket", u'[', scan::kIdentifierChars},
      {"backquote", u'`', scan::kIdentifierChars},
      {"brace", u'{', scan::kIdentifierChars},
      {"high unit", u'\u8061', scan::kIdentifierChars},  // 'a' + 0x8000
      {"accented letter", u'\u00E1', scan::kIdentifierChars},
  };
  for (const auto& c : cases) {
    // Text of units outside the class, with c.unit at `at`: found there
    // when it belongs to the class, at the end otherwise.
    const char16_t filler = c.units.HasIdentifierChars() ? u' ' : u'x';
    for (int at = 0; at < 40; ++at) {
      std::u16string text(40, filler);
      text[static_cast<std::size_t>(at)] = c.unit;
      for (int from : {0, 1, at, at + 1}) {
        EXPECT_EQ(scan::FindIn(text, from, c.units), Expected(text, from, c.units))
            << c.name << " at " << at << " from " << from;
      }
    }
  }
}

TEST(ScanTest, SearchesPastTheEndReturnTheirStart) {
  const std::u16string text = u"abc";
  EXPECT_EQ(scan::FindIn(text, 3, scan::kIdentifierChars), 3);
  EXPECT_EQ(scan::FindIn(text, 5, scan::kIdentifierChars), 5);
}

TEST(ScanTest, BlocksOfBytesAndUnits) {
  // Widen: the high bytes, CRs and LFs of a block, and a whole block only
  // when its line breaks are CR LF pairs.
  const struct {
    const char* bytes;
    bool crBefore;
    std::size_t plain;  // 16 for the whole block, else its plain prefix (0 after a CR)
  } blocks[] = {
      {"a\r\nb\xC3\xA1\n\rcdefghijk", false, 1},
      {"abcdefgh\r\nijklmn", false, 16},
      {"abcdefghijklmno\r", false, 16},
      {"\nbcdefghijklmnop", true, 16},
      {"abcdefghijklmnop", true, 0},
      {"abcdefgh\rijklmno", false, 8},
      {"abcdefghij\nklmno", false, 10},
      {"abcdefghijklmno\xE8", false, 15},
  };
  for (const auto& block : blocks) {
    char16_t units[scan::kWidenBlock];
    const auto* bytes = reinterpret_cast<const unsigned char*>(block.bytes);
    const scan::WidenMasks masks = scan::Widen(bytes, units);
    const bool whole = masks.AllPlain(block.crBefore);
    EXPECT_EQ(whole ? 16 : block.crBefore ? 0 : masks.PlainPrefix(), block.plain) << block.bytes;
    EXPECT_EQ(masks.EndsWithCr(), bytes[15] == '\r') << block.bytes;
    EXPECT_EQ(units[15], bytes[15]);
  }

  // PackPlainPrefix stops at the first character RTF escapes.
  for (const char16_t stop : {u'\\', u'{', u'}', u'\x1F', u'\x7F', u'\u0141', u'\u8041'}) {
    std::u16string text(16, u'a');
    text[9] = stop;
    char out[scan::kPlainBlock];
    EXPECT_EQ(scan::PackPlainPrefix(text.data(), out), 9u) << int(stop);
    EXPECT_EQ(std::string(out, 9), "aaaaaaaaa");
  }

  // EqualRunEnd across a block edge and at the limit.
  std::vector<std::uint8_t> indices(40, 3);
  indices[33] = 4;
  EXPECT_EQ(scan::EqualRunEnd(indices.data(), 0, 40), 33u);
  EXPECT_EQ(scan::EqualRunEnd(indices.data(), 5, 20), 20u);
  EXPECT_EQ(scan::EqualRunEnd(indices.data(), 33, 40), 34u);
}

}  // namespace
}  // namespace markwell
