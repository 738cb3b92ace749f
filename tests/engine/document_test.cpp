#include "document/document.h"

#include <gtest/gtest.h>

#include "document/bulk_format_writes.h"

namespace markwell {
namespace {

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    document.SetSelectionChangeHandler([this] { ++selectionChanges; });
  }
  Document document;
  int selectionChanges = 0;
};

TEST_F(DocumentTest, LineBreaksAreReportedAsCrLfAndCountAsTwoPositions) {
  document.SetText(u"a\r\nb");
  EXPECT_EQ(document.Length(), 4);
  document.SetSelStart(3);
  document.SetSelLength(1);
  EXPECT_EQ(document.SelText(), u"b");
}

TEST_F(DocumentTest, EveryKindOfLineBreakBecomesCrLf) {
  struct Case {
    std::u16string in, out;
  } cases[] = {{u"a\nb", u"a\r\nb"},
               {u"a\rb", u"a\r\nb"},
               {u"a\r\nb", u"a\r\nb"},
               {u"\n\r\r\n", u"\r\n\r\n\r\n"},
               {u"\r", u"\r\n"}};
  for (const auto& c : cases) {
    document.SetText(c.in);
    EXPECT_EQ(document.Text(), c.out);
  }
}

TEST_F(DocumentTest, SelectionIsClampedAndTheClampedValuesAreReported) {
  struct Case {
    const char* name;
    int start, length, wantStart, wantLength;
  } cases[] = {
      {"start beyond the end", 10, 0, 4, 0}, {"length beyond the end", 2, 5, 2, 2},
      {"negative start", -3, 1, 0, 1},       {"negative length", 2, -1, 2, 0},
      {"huge length", 1, 2147483647, 1, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    document.SetText(u"a\r\nb");
    document.SetSelStart(c.start);
    document.SetSelLength(c.length);
    EXPECT_EQ(document.SelStart(), c.wantStart);
    EXPECT_EQ(document.SelLength(), c.wantLength);
  }
}

TEST_F(DocumentTest, WritingSelStartCollapsesTheSelection) {
  document.SetText(u"abcdef");
  document.SetSelStart(1);
  document.SetSelLength(3);
  document.SetSelStart(2);
  EXPECT_EQ(document.SelStart(), 2);
  EXPECT_EQ(document.SelLength(), 0);
}

TEST_F(DocumentTest, CallbackFiresOnEveryChangeOfTheSelectionOnly) {
  document.SetText(u"abcdef");
  selectionChanges = 0;
  document.SetSelStart(2);   // change
  document.SetSelStart(2);   // same place: no change
  document.SetSelLength(2);  // change
  document.SetSelLength(2);  // no change
  document.SelectAll();      // change
  document.SetSelLength(0);  // change
  document.SetSelStart(99);  // clamped to 6: change
  document.SetSelStart(6);   // no change
  EXPECT_EQ(selectionChanges, 5);
}

TEST_F(DocumentTest, StyleWriteSetsAllFourFlags) {
  document.SetText(u"word");
  document.SelectAll();
  document.SelAttributes().SetStyle(FontStyles(FontStyle::Italic).With(FontStyle::Underline));
  document.SelAttributes().SetStyle(FontStyle::Bold);
  EXPECT_EQ(document.SelAttributes().Style(), FontStyles(FontStyle::Bold));
  EXPECT_EQ(document.Content().FormatAt(3).style, FontStyles(FontStyle::Bold));
}

TEST_F(DocumentTest, WindowTextColorMeansAutomaticOtherColorsAreFixed) {
  document.SetText(u"ab");
  document.SetSelStart(0);
  document.SetSelLength(1);
  document.SelAttributes().SetColor(MakeRgb(0, 0, 0));
  document.SetSelStart(1);
  document.SetSelLength(1);
  document.SelAttributes().SetColor(MakeRgb(10, 20, 30));
  document.SelAttributes().SetColor(kWindowTextColor);
  EXPECT_EQ(document.Content().FormatAt(0).color, MakeRgb(0, 0, 0));
  EXPECT_FALSE(IsAutomatic(document.Content().FormatAt(0).color));
  EXPECT_TRUE(IsAutomatic(document.Content().FormatAt(1).color));
}

TEST_F(DocumentTest, WritesOnASelectionTouchOnlyTheSelectedCharacters) {
  document.SetText(u"abcdef");
  document.SetSelStart(2);
  document.SetSelLength(2);
  document.SelAttributes().SetSize(20);
  document.SelAttributes().SetName("Courier New");
  for (int pos = 0; pos < 6; ++pos) {
    const bool inside = pos == 2 || pos == 3;
    EXPECT_EQ(document.Content().FormatAt(pos).size, inside ? 20 : 10) << pos;
    EXPECT_EQ(document.Content().FormatAt(pos).fontName, inside ? "Courier New" : "Times New Roman")
        << pos;
  }
}

TEST_F(DocumentTest, ReadsReportTheFirstSelectedCharacter) {
  document.SetText(u"ab");
  document.SetSelStart(1);
  document.SetSelLength(1);
  document.SelAttributes().SetStyle(FontStyle::Bold);
  document.SetSelStart(0);
  document.SetSelLength(2);
  EXPECT_EQ(document.SelAttributes().Style(), FontStyles());
  document.SetSelStart(1);
  document.SetSelLength(1);
  EXPECT_EQ(document.SelAttributes().Style(), FontStyles(FontStyle::Bold));
}

TEST_F(DocumentTest, EmptySelectionCarriesTheFormatForTypedText) {
  document.SetText(u"ab");
  document.SetSelStart(1);
  document.SelAttributes().SetStyle(FontStyle::Bold);
  // No character changed...
  EXPECT_EQ(document.Content().FormatAt(0).style, FontStyles());
  EXPECT_EQ(document.Content().FormatAt(1).style, FontStyles());
  // ...but the insertion point reports bold and typed text takes it.
  EXPECT_EQ(document.SelAttributes().Style(), FontStyles(FontStyle::Bold));
  document.SetSelText(u"X");
  EXPECT_EQ(document.Text(), u"aXb");
  EXPECT_EQ(document.Content().FormatAt(1).style, FontStyles(FontStyle::Bold));
  EXPECT_EQ(document.SelStart(), 2);
}

TEST_F(DocumentTest, MovingTheCaretForgetsTheTypingFormat) {
  document.SetText(u"ab");
  document.SetSelStart(1);
  document.SelAttributes().SetStyle(FontStyle::Bold);
  document.SetSelStart(2);
  EXPECT_EQ(document.SelAttributes().Style(), FontStyles());
}

TEST_F(DocumentTest, HeightWriteConvertsPixelsToPointsRoundedToNearest) {
  struct Case {
    int height, points;
  } cases[] = {{-13, -10}, {13, 10}, {-16, -12}, {-11, -8}, {0, 0}, {-15, -11}};
  document.SetText(u"x");
  document.SelectAll();
  for (const auto& c : cases) {
    document.SelAttributes().SetHeight(c.height);
    EXPECT_EQ(document.SelAttributes().Size(), c.points) << c.height;
  }
}

TEST_F(DocumentTest, BaseFontStartsAsTimesNewRoman10PointAutomatic) {
  const BaseFont& font = document.Font();
  EXPECT_EQ(font.Name(), "Times New Roman");
  EXPECT_EQ(font.Height(), -13);
  EXPECT_EQ(font.Size(), 10);
  EXPECT_EQ(font.Color(), kWindowTextColor);
  EXPECT_EQ(font.Style(), FontStyles());
}

TEST_F(DocumentTest, NewTextTakesTheBaseFont) {
  document.Font().SetName("Arial");
  document.Font().SetSize(14);
  document.Font().SetStyle(FontStyle::Italic);
  document.Font().SetColor(MakeRgb(1, 2, 3));
  document.SetText(u"x");
  const CharFormat& format = document.Content().FormatAt(0);
  EXPECT_EQ(format.fontName, "Arial");
  EXPECT_EQ(format.size, 14);
  EXPECT_EQ(format.style, FontStyles(FontStyle::Italic));
  EXPECT_EQ(format.color, MakeRgb(1, 2, 3));
}

TEST_F(DocumentTest, DeletingTheSelectionKeepsTheRestOfTheFormatting) {
  document.SetText(u"abcd");
  document.SetSelStart(3);
  document.SetSelLength(1);
  document.SelAttributes().SetStyle(FontStyle::Italic);
  document.SetSelStart(1);
  document.SetSelLength(2);
  document.SetSelText(u"");
  EXPECT_EQ(document.Text(), u"ad");
  EXPECT_EQ(document.Content().FormatAt(1).style, FontStyles(FontStyle::Italic));
  EXPECT_EQ(document.SelStart(), 1);
  EXPECT_EQ(document.SelLength(), 0);
}

TEST_F(DocumentTest, ManyDistinctFormatsWidenTheIndexWithoutLosingAny) {
  std::u16string text(400, u'x');
  document.SetText(text);
  for (int pos = 0; pos < 400; ++pos) {
    document.SetSelStart(pos);
    document.SetSelLength(1);
    document.SelAttributes().SetSize(pos + 1);
  }
  for (int pos = 0; pos < 400; ++pos) EXPECT_EQ(document.Content().FormatAt(pos).size, pos + 1);
}

TEST_F(DocumentTest, EmptyDocumentReportsTheBaseFont) {
  document.Font().SetStyle(FontStyle::Bold);
  document.SetText(u"");
  EXPECT_EQ(document.SelAttributes().Style(), FontStyles(FontStyle::Bold));
  EXPECT_EQ(document.SelAttributes().Size(), 10);
}

}  // namespace
}  // namespace markwell

namespace markwell {
namespace {

// The one-pass style and colour write agrees with the two writes in turn:
// on every character, on the typing format and on the format table itself.
TEST(StyleThenColorTest, AgreesWithTwoWrites) {
  struct Case {
    const char* name;
    int start;
    int length;
  } cases[] = {{"one format", 0, 3},
               {"two formats", 2, 4},
               {"insertion point", 3, 0},
               {"whole text", 0, 9},
               {"last character", 8, 1}};
  for (const Case& c : cases) {
    Document once;
    Document twice;
    for (Document* d : {&once, &twice}) {
      d->SetText(u"abcdefghi");
      d->SetSelStart(3);
      d->SetSelLength(3);
      d->SelAttributes().SetSize(20);  // a second format in the middle
      d->SetSelStart(c.start);
      d->SetSelLength(c.length);
    }
    const TextColor red = MakeRgb(200, 0, 0);
    BulkFormatWrites::SetStyleThenColor(once, FontStyle::Bold, red);
    twice.SelAttributes().SetStyle(FontStyle::Bold);
    twice.SelAttributes().SetColor(red);
    for (int i = 0; i < once.Length(); ++i) {
      EXPECT_EQ(once.Content().IndexAt(i), twice.Content().IndexAt(i)) << c.name << " at " << i;
    }
    EXPECT_EQ(once.SelectionFormat(), twice.SelectionFormat()) << c.name;
    ASSERT_EQ(once.Content().Table().Size(), twice.Content().Table().Size()) << c.name;
    for (FormatTable::Index i = 0; i < once.Content().Table().Size(); ++i) {
      EXPECT_EQ(once.Content().Table().Get(i), twice.Content().Table().Get(i)) << c.name;
    }
  }
}

}  // namespace
}  // namespace markwell
