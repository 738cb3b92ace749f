// The formatting run: the document reset, the progress bar as the window
// would show it, the dispatch, and how often the selection changes.
#include "run/formatting_run.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "filter_test_support.h"

namespace markwell {
namespace {

using filter_test::BarWrite;
using filter_test::RecordingProgress;
using filter_test::RenderMarking;

// --- The reset --------------------------------------------------------------

struct ResetCase {
  const char* name;
  FontStyles style;
  TextColor color;
  int height;  // the base font's pixel height
};

void PrintTo(const ResetCase& c, std::ostream* os) {
  *os << c.name;
}

const ResetCase kResetCases[] = {
    {"InitialBaseFont", {}, kWindowTextColor, -13},
    {"BoldItalicGreen12pt", FontStyles(FontStyle::Bold) | FontStyle::Italic, 0x008000, -16},
    {"Underlined8pt", FontStyle::Underline, 0x0000FF, -11},
};

class ResetTest : public ::testing::TestWithParam<ResetCase> {};

// Text in other fonts, sizes, styles and colours takes the base font's style,
// size and colour and keeps its font name.
TEST_P(ResetTest, GivesEveryCharacterTheBaseFontButKeepsNames) {
  const ResetCase& c = GetParam();
  Document document;
  document.SetText(u"plain bold arial\r\nend");
  auto format = [&](int start, int length, auto write) {
    document.SetSelStart(start);
    document.SetSelLength(length);
    TextAttributes attributes = document.SelAttributes();
    write(attributes);
  };
  format(6, 4, [](TextAttributes& a) {
    a.SetStyle(FontStyles(FontStyle::Bold) | FontStyle::Underline | FontStyle::StrikeOut);
    a.SetColor(0x0000FF);
  });
  format(11, 5, [](TextAttributes& a) {
    a.SetName("Arial");
    a.SetSize(14);
    a.SetStyle(FontStyle::Italic);
  });
  document.Font().SetStyle(c.style);
  document.Font().SetColor(c.color);
  document.Font().SetHeight(c.height);

  ResetDocument(document);

  const BaseFont& font = document.Font();
  ASSERT_GT(font.Size(), 0);
  for (int pos = 0; pos < document.Length(); ++pos) {
    SCOPED_TRACE(pos);
    const CharFormat& f = document.Content().FormatAt(pos);
    EXPECT_EQ(f.style, font.Style());
    EXPECT_EQ(f.size, font.Size());
    EXPECT_EQ(f.color, NormaliseColor(font.Color()));
    EXPECT_EQ(f.fontName, pos >= 11 && pos < 16 ? "Arial" : "Times New Roman");
  }
  EXPECT_EQ(document.SelStart(), 0);
  EXPECT_EQ(document.SelLength(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, ResetTest, ::testing::ValuesIn(kResetCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A document with `formats` formats in stretches of varied length, each
// format used in several places, built the same way every time.
void BuildMixedDocument(Document& document, int formats, const ResetCase& base) {
  document.SetText(std::u16string(static_cast<std::size_t>(formats) * 9, u'x'));
  for (int i = 0; i < formats * 3; ++i) {
    const int k = (i * 7) % formats;
    document.SetSelStart((i * 37) % document.Length());
    document.SetSelLength(1 + i % 5);
    TextAttributes attributes = document.SelAttributes();
    attributes.SetStyle(FontStyles(static_cast<std::uint8_t>(k % 16)));
    attributes.SetSize(8 + k % 13);
    if (k % 3 == 0) attributes.SetName(k % 2 == 0 ? "Arial" : "Courier New");
    attributes.SetColor(k % 4 == 0 ? kWindowTextColor : static_cast<TextColor>(k * 40503));
  }
  document.Font().SetStyle(base.style);
  document.Font().SetColor(base.color);
  document.Font().SetHeight(base.height);
}

// The reset writes style, height, size and colour in one pass; four writes
// one after the other must leave the same characters and the same format
// table, down to the order in which formats were added.
TEST_P(ResetTest, OnePassEqualsFourWrites) {
  const ResetCase& c = GetParam();
  for (int formats : {0, 3, 40, 300}) {
    SCOPED_TRACE(formats);
    Document reset;
    Document stepwise;
    BuildMixedDocument(reset, formats, c);
    BuildMixedDocument(stepwise, formats, c);

    ResetDocument(reset);
    stepwise.SetSelStart(0);
    stepwise.SetSelLength(stepwise.Length());
    TextAttributes attributes = stepwise.SelAttributes();
    attributes.SetStyle(stepwise.Font().Style());
    attributes.SetHeight(stepwise.Font().Height());
    attributes.SetSize(stepwise.Font().Size());
    attributes.SetColor(stepwise.Font().Color());
    stepwise.SetSelLength(0);

    const DocumentContent& a = reset.Content();
    const DocumentContent& b = stepwise.Content();
    ASSERT_EQ(a.Table().Size(), b.Table().Size());
    for (std::size_t i = 0; i < a.Table().Size(); ++i) {
      EXPECT_EQ(a.Table().Get(static_cast<FormatTable::Index>(i)),
                b.Table().Get(static_cast<FormatTable::Index>(i)))
          << "format " << i;
    }
    ASSERT_EQ(a.Length(), b.Length());
    for (int pos = 0; pos < a.Length(); ++pos) ASSERT_EQ(a.IndexAt(pos), b.IndexAt(pos)) << pos;
    // An empty document: the writes go to the format of the text typed next.
    EXPECT_EQ(reset.SelectionFormat(), stepwise.SelectionFormat());
  }
}

// --- The run ----------------------------------------------------------------

struct RunCase {
  const char* name;
  int mode;
  std::u16string text;
  std::vector<std::string> captions;
  // Every bar write: the run's maximum and position 0, then the filter's.
  std::vector<BarWrite> bar;
  int selectionChanges;  // the reset's and the filter's, worked out by hand
  int caret;             // SelStart afterwards (-1: the end of the text)
};

void PrintTo(const RunCase& c, std::ostream* os) {
  *os << c.name;
}

const std::string kPascal = "Pro Delphi kód.";
const std::string kMatlab = "Pro MATLAB.";
const std::string kAsm = "Pro kód assembleru.";

// clang-format off
const RunCase kRunCases[] = {
    // Progress of 25 characters: a step per character, and the bar at 1 and 2
    // when 10 and 20 characters are behind (p = 9, 19; the assembler: p = 8, 18).
    {"Pascal25Blanks", kPascalMode, std::u16string(25, u' '), {kPascal},
     {{2, 0, 0}, {2, 0, 0}, {2, 1, 10}, {2, 2, 20}}, 27, -1},
    {"Matlab25Blanks", kMatlabMode, std::u16string(25, u' '), {kMatlab},
     {{2, 0, 0}, {2, 0, 0}, {2, 1, 10}, {2, 2, 20}}, 27, -1},
    {"Asm25Semicolons", kAssemblerMode, std::u16string(25, u';'), {kAsm},
     {{2, 0, 0}, {2, 0, 0}, {2, 1, 10}, {2, 2, 20}}, 26, -1},
    // A token is one step: the bar takes the value of its last position at once.
    {"Pascal25WithComment", kPascalMode, u"{" + std::u16string(13, u'x') + u"}" + std::u16string(10, u' '),
     {kPascal}, {{2, 0, 0}, {2, 0, 0}, {2, 1, 15}, {2, 2, 20}}, 17, -1},
    {"Matlab25WithComment", kMatlabMode, u"%" + std::u16string(12, u'x') + u"\r\n" + std::u16string(10, u' '),
     {kMatlab}, {{2, 0, 0}, {2, 0, 0}, {2, 1, 14}, {2, 2, 20}}, 18, -1},
    // The last steps can ask for more than the maximum: the write happens and
    // the bar shows its maximum.
    {"Matlab29Blanks", kMatlabMode, std::u16string(29, u' '), {kMatlab},
     {{2, 0, 0}, {2, 0, 0}, {2, 1, 10}, {2, 2, 20}, {2, 2, 29}}, 31, -1},
    {"Asm29Semicolons", kAssemblerMode, std::u16string(29, u';'), {kAsm},
     {{2, 0, 0}, {2, 0, 0}, {2, 1, 10}, {2, 2, 20}, {2, 2, 29}, {2, 2, 29}}, 30, -1},
    // Inside a word only the bar moves; the selection stays at the word start.
    {"Pascal25Letters", kPascalMode, std::u16string(25, u'a'), {kPascal},
     {{2, 0, 0}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}}, 4, -1},
    {"Matlab29Letters", kMatlabMode, std::u16string(29, u'a'), {kMatlab},
     {{2, 0, 0}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {2, 2, 29}}, 4, -1},
    {"Asm29Letters", kAssemblerMode, std::u16string(29, u'a'), {kAsm},
     {{2, 0, 0}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {2, 2, 0}, {2, 2, 29}}, 4, -1},
    {"Pascal9Letters", kPascalMode, u"abcdefghi", {kPascal},
     {{0, 0, 0}, {0, 0, 0}, {0, 0, 9}}, 4, -1},
    {"CrLfCountsTwice", 0, u"abcd\r\nefgh", {}, {{1, 0, 0}, {1, 0, 0}}, 2, 0},
    // Selection changes, step by step:
    // reset: select all, collapse (2); "end" selected (3), collapsed (4),
    // caret behind it (5), next word behind ";" (6); the end step moves nothing.
    {"PascalKeywordChanges", kPascalMode, u"end;", {kPascal}, {{0, 0, 0}, {0, 0, 0}}, 6, -1},
    // reset (2); "{": next word (3), token start (4), token (5), collapse (6),
    // caret (7); " ": next word (8); end step: "b" selected (9), caret (10).
    {"PascalCommentChanges", kPascalMode, u"{a} b", {kPascal}, {{0, 0, 0}, {0, 0, 0}}, 10, -1},
    // reset (2); "=": "a" selected (3), next word (4); quote: next word (5),
    // string start (6), string (7), collapse (8), caret (9).
    {"MatlabStringChanges", kMatlabMode, u"a='b'", {kMatlab}, {{0, 0, 0}, {0, 0, 0}}, 9, -1},
    // reset (2); ";": "a" selected (3), start two on (4); CR: start two on (5);
    // end step: "c" selected (6), caret (7).
    {"AsmChanges", kAssemblerMode, u"a;b\r\nc", {kAsm}, {{0, 0, 0}, {0, 0, 0}}, 7, -1},
    {"PascalEmpty", kPascalMode, u"", {kPascal}, {{0, 0, 0}, {0, 0, 0}}, 0, 0},
    {"MatlabEmpty", kMatlabMode, u"", {kMatlab}, {{0, 0, 0}, {0, 0, 0}}, 0, 0},
    {"AsmEmpty", kAssemblerMode, u"", {kAsm}, {{0, 0, 0}, {0, 0, 0}}, 0, 0},
    // Any other mode resets and runs no filter; the label is never written.
    {"Mode0", 0, u"end; x", {}, {{0, 0, 0}, {0, 0, 0}}, 2, 0},
    {"Mode3", 3, u"end; x", {}, {{0, 0, 0}, {0, 0, 0}}, 2, 0},
    {"Mode5", 5, u"end; x", {}, {{0, 0, 0}, {0, 0, 0}}, 2, 0},
    {"ModeMinus1", -1, u"end; x", {}, {{0, 0, 0}, {0, 0, 0}}, 2, 0},
};
// clang-format on

class RunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunTest, ReportsProgressAndMovesTheSelection) {
  const RunCase& c = GetParam();
  Document document;
  document.SetText(c.text);
  KeywordLists keywords;
  keywords.pascal.Add("end");
  keywords.matlab.Add("end");
  RecordingProgress progress(document);
  int changes = 0;
  document.SetSelectionChangeHandler([&] { ++changes; });

  RunFormattingSteps(document, c.mode, keywords, true, progress);

  EXPECT_EQ(progress.captions, c.captions);
  EXPECT_EQ(progress.writes, c.bar);
  EXPECT_EQ(changes, c.selectionChanges);
  EXPECT_EQ(document.SelStart(), c.caret < 0 ? document.Length() : c.caret);
  EXPECT_EQ(document.SelLength(), 0);
  // Without a filter nothing is marked.
  if (c.captions.empty()) {
    EXPECT_EQ(RenderMarking(document).find('<'), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, RunTest, ::testing::ValuesIn(kRunCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace markwell
