// FiltrMatlab, run as the formatting run runs it (reset, then the filter),
// one row per case. The MATLAB keyword list holds "end" and "if".
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "filter_test_support.h"
#include "run/formatting_run.h"

namespace markwell {
namespace {

using filter_test::RecordingProgress;
using filter_test::RenderMarking;

struct MatlabCase {
  const char* name;
  std::u16string_view text;
  std::string_view marked;  // as RenderMarking writes it
  std::vector<std::string_view> keywords = {"end", "if"};
};

void PrintTo(const MatlabCase& c, std::ostream* os) {
  *os << c.name;
}

const MatlabCase kMatlabCases[] = {
    {.name = "EmptyDocument", .text = u"", .marked = ""},
    {.name = "KeywordEndsTheText", .text = u"x = 1; end", .marked = "x = 1; <MKey>end</MKey>"},
    {.name = "CaseIsIgnored", .text = u"END End", .marked = "<MKey>END</MKey> <MKey>End</MKey>"},
    {.name = "KeywordInsideIdentifier", .text = u"end1 end_ xend", .marked = "end1 end_ xend"},
    {.name = "KeywordBetweenPunctuation",
     .text = u"x.end (end) x=end;",
     .marked = "x.<MKey>end</MKey> (<MKey>end</MKey>) x=<MKey>end</MKey>;"},
    {.name = "AccentedLetterEndsWord", .text = u"čend", .marked = "č<MKey>end</MKey>"},
    {.name = "TransposeAfterOperand",
     .text = u"a' x2' a_' f(x)' m]'",
     .marked = "a' x2' a_' f(x)' m]'"},
    {.name = "QuoteAfterAccentedLetterOpensString",
     .text = u"č'x'",
     .marked = "č<MText>'x'</MText>"},
    {.name = "QuoteAtStartOpensString",
     .text = u"'end' if",
     .marked = "<MText>'end'</MText> <MKey>if</MKey>"},
    {.name = "QuoteAfterPunctuationOpensString",
     .text = u"x = 'abc'; f('a'); {'b'}",
     .marked = "x = <MText>'abc'</MText>; f(<MText>'a'</MText>); {<MText>'b'</MText>}"},
    {.name = "DoubledQuote", .text = u"'it''s'", .marked = "<MText>'it''s'</MText>"},
    {.name = "UnterminatedStringRunsToTheEnd",
     .text = u"s = 'ab\r\nend",
     .marked = "s = <MText>'ab\nend</MText>"},
    {.name = "QuoteAsLastCharacter", .text = u"x = '", .marked = "x = <MText>'</MText>"},
    {.name = "PercentEndingUnclosedString",
     .text = u"s = 'ab%",
     .marked = "s = <MText>'ab%</MText>"},
    {.name = "CommentKeepsCrNotLf",
     .text = u"x = 1; % note\r\ny",
     .marked = "x = 1; <MKoment>% note\u21B5</MKoment>\ny"},
    {.name = "CommentOnLastLine",
     .text = u"if % end",
     .marked = "<MKey>if</MKey> <MKoment>% end</MKoment>"},
    {.name = "QuoteInsideComment",
     .text = u"% it's\r\nend",
     .marked = "<MKoment>% it's\u21B5</MKoment>\n<MKey>end</MKey>"},
    {.name = "PercentInsideString",
     .text = u"'50%' end",
     .marked = "<MText>'50%'</MText> <MKey>end</MKey>"},
    {.name = "KeywordThenComment",
     .text = u"end%x",
     .marked = "<MKey>end</MKey><MKoment>%x</MKoment>"},
    {.name = "KeywordThenTransposes", .text = u"end'x'", .marked = "<MKey>end</MKey>'x'"},
    {.name = "CharactersOutsideTheBmpKeepPositions",
     .text = u"'\U0001F600' end % \U0001F600\r\nif",
     .marked =
         "<MText>'\U0001F600'</MText> <MKey>end</MKey> <MKoment>% \U0001F600\u21B5</MKoment>\n"
         "<MKey>if</MKey>"},
    {.name = "EmptyEntryMatchesEmptyWordsHarmlessly",
     .text = u"  end;;",
     .marked = "  <MKey>end</MKey>;;",
     .keywords = {"", "end"}},
};

class MatlabFilterTest : public ::testing::TestWithParam<MatlabCase> {};

TEST_P(MatlabFilterTest, MarksTokens) {
  const MatlabCase& c = GetParam();
  Document document;
  document.SetText(c.text);
  const std::u16string before = document.Text();
  KeywordLists keywords;
  for (std::string_view entry : c.keywords) keywords.matlab.Add(entry);
  RecordingProgress progress(document);

  // The use-colour toggle is up: the MATLAB filter colours regardless.
  RunFormattingSteps(document, kMatlabMode, keywords, false, progress);

  EXPECT_EQ(RenderMarking(document), c.marked);
  EXPECT_EQ(document.Text(), before);
  EXPECT_EQ(document.SelStart(), document.Length());
  EXPECT_EQ(document.SelLength(), 0);
  EXPECT_EQ(progress.captions, std::vector<std::string>{"Pro MATLAB."});
}

INSTANTIATE_TEST_SUITE_P(Rows, MatlabFilterTest, ::testing::ValuesIn(kMatlabCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace markwell
