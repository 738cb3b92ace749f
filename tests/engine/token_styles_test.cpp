// ApplyTokenStyle on the selection of "one two three", one row per case.
#include "run/token_styles.h"

#include <gtest/gtest.h>

#include <string_view>

#include "filter_test_support.h"

namespace markwell {
namespace {

using filter_test::RenderMarking;

struct TokenStyleCase {
  const char* name;
  std::string_view style;
  bool useColor;
  int selStart;
  int selLength;
  std::string_view marked;  // as RenderMarking writes it
  int caret;                // SelStart afterwards
  int selectionChanges;
  FontStyles baseStyle = {};
  TextColor baseColor = kWindowTextColor;
};

void PrintTo(const TokenStyleCase& c, std::ostream* os) {
  *os << c.name;
}

const TokenStyleCase kTokenStyleCases[] = {
    {"DKeyBoldFixedBlack", "DKey", true, 4, 3, "one <DKey>two</DKey> three", 7, 2},
    {"DKeyClearsItalic", "DKey", true, 4, 3, "one <DKey>two</DKey> three", 7, 2, FontStyle::Italic},
    {"DKomentOnBoldBase", "DKoment", true, 0, 3, "<DKoment>one</DKoment> two three", 3, 2,
     FontStyle::Bold},
    {"DTextDarkRed", "DText", true, 8, 5, "one two <DText>three</DText>", 13, 2},
    {"DTextWithoutColourKeepsColour", "DText", false, 4, 3, "one <plain>two</plain> three", 7, 2,
     FontStyles(FontStyle::Bold) | FontStyle::Italic, 0x0000FF},
    {"DKeyWithoutColourStaysAutomatic", "DKey", false, 4, 3, "one <b>two</b> three", 7, 2},
    {"MKeyBluePlain", "MKey", true, 4, 3, "one <MKey>two</MKey> three", 7, 2, FontStyle::Bold},
    {"MKomentGreen", "MKoment", true, 4, 3, "one <MKoment>two</MKoment> three", 7, 2},
    {"MTextRed", "MText", true, 4, 3, "one <MText>two</MText> three", 7, 2},
    {"NameDifferingInCase", "dkey", true, 4, 3, "one two three", 7, 2},
    {"EmptyName", "", true, 4, 3, "one two three", 7, 2},
    {"EmptySelection", "DKey", true, 4, 0, "one two three", 4, 0},
    {"SelectionBeyondTheEnd", "DKoment", true, 8, 100, "one two <DKoment>three</DKoment>", 13, 2},
};

class TokenStyleTest : public ::testing::TestWithParam<TokenStyleCase> {};

TEST_P(TokenStyleTest, StylesAndCollapsesToTheEnd) {
  const TokenStyleCase& c = GetParam();
  Document document;
  document.Font().SetStyle(c.baseStyle);
  document.Font().SetColor(c.baseColor);
  document.SetText(u"one two three");
  document.SetSelStart(c.selStart);
  document.SetSelLength(c.selLength);
  int changes = 0;
  document.SetSelectionChangeHandler([&] { ++changes; });

  ApplyTokenStyle(document, c.style, c.useColor);

  EXPECT_EQ(RenderMarking(document), c.marked);
  EXPECT_EQ(document.SelStart(), c.caret);
  EXPECT_EQ(document.SelLength(), 0);
  EXPECT_EQ(changes, c.selectionChanges);
}

INSTANTIATE_TEST_SUITE_P(Rows, TokenStyleTest, ::testing::ValuesIn(kTokenStyleCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace markwell
