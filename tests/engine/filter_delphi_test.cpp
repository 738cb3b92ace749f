// FiltrDelphi, run as the formatting run runs it (reset, then the filter),
// one row per case. The Pascal keyword list holds "begin" and "end".
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "filter_test_support.h"
#include "run/formatting_run.h"

namespace markwell {
namespace {

using filter_test::MakeKeywords;
using filter_test::RecordingProgress;
using filter_test::RenderMarking;

struct DelphiCase {
  const char* name;
  std::u16string_view text;
  std::string_view marked;  // as RenderMarking writes it
  bool useColor = true;
  std::vector<std::string_view> keywords = {"begin", "end"};
};

void PrintTo(const DelphiCase& c, std::ostream* os) {
  *os << c.name;
}

const DelphiCase kDelphiCases[] = {
    {.name = "EmptyDocument", .text = u"", .marked = ""},
    {.name = "KeywordEndsTheText", .text = u"x := end", .marked = "x := <DKey>end</DKey>"},
    {.name = "KeywordInsideIdentifier",
     .text = u"ending my_end end2 _end",
     .marked = "ending my_end end2 _end"},
    {.name = "CaseIsIgnored",
     .text = u"BEGIN Begin",
     .marked = "<DKey>BEGIN</DKey> <DKey>Begin</DKey>"},
    {.name = "AccentedLetterEndsWord",
     .text = u"éend čbegin endž",
     .marked = "é<DKey>end</DKey> č<DKey>begin</DKey> <DKey>end</DKey>ž"},
    {.name = "KeywordThenComment",
     .text = u"end{x}",
     .marked = "<DKey>end</DKey><DKoment>{x}</DKoment>"},
    {.name = "LiteralHidesKeyword",
     .text = u"x := 'begin';",
     .marked = "x := <DText>'begin'</DText>;"},
    {.name = "DoubledApostrophes",
     .text = u"'it''s' end",
     .marked = "<DText>'it''s'</DText> <DKey>end</DKey>"},
    {.name = "EmptyLiteral", .text = u"s := '';", .marked = "s := <DText>''</DText>;"},
    {.name = "UnterminatedLiteralRunsToTheEnd",
     .text = u"s := 'abc\r\nend",
     .marked = "s := <DText>'abc\nend</DText>"},
    {.name = "ApostropheAsLastCharacter",
     .text = u"end '",
     .marked = "<DKey>end</DKey> <DText>'</DText>"},
    {.name = "DirectiveIsABraceComment",
     .text = u"{$R *.res}\r\nbegin",
     .marked = "<DKoment>{$R *.res}</DKoment>\n<DKey>begin</DKey>"},
    {.name = "UnclosedBraceRunsToTheEnd",
     .text = u"x { begin\r\nend",
     .marked = "x <DKoment>{ begin\nend</DKoment>"},
    {.name = "BraceAsLastCharacter",
     .text = u"end{",
     .marked = "<DKey>end</DKey><DKoment>{</DKoment>"},
    {.name = "ParenStarComment",
     .text = u"(* end *)begin",
     .marked = "<DKoment>(* end *)</DKoment><DKey>begin</DKey>"},
    {.name = "ParenStarClosedByItsOwnStar",
     .text = u"(*)end",
     .marked = "<DKoment>(*)</DKoment><DKey>end</DKey>"},
    {.name = "ParenStarNeedsStarBeforeParen",
     .text = u"(* ) *) end",
     .marked = "<DKoment>(* ) *)</DKoment> <DKey>end</DKey>"},
    {.name = "ParenStarAtTheEnd", .text = u"x (*", .marked = "x <DKoment>(*</DKoment>"},
    {.name = "ParenWithoutStarOpensNothing", .text = u"(end)", .marked = "(<DKey>end</DKey>)"},
    {.name = "LineCommentKeepsCrNotLf",
     .text = u"// end\r\nbegin",
     .marked = "<DKoment>// end\u21B5</DKoment>\n<DKey>begin</DKey>"},
    {.name = "LineCommentOnLastLine",
     .text = u"end // end",
     .marked = "<DKey>end</DKey> <DKoment>// end</DKoment>"},
    {.name = "DoubleSlashAtTheEnd", .text = u"x //", .marked = "x <DKoment>//</DKoment>"},
    {.name = "SingleSlashOpensNothing", .text = u"a / end", .marked = "a / <DKey>end</DKey>"},
    {.name = "OpenersInsideTokensAreNotSeen",
     .text = u"{ 'x } '//' (* { *) end",
     .marked = "<DKoment>{ 'x }</DKoment> <DText>'//'</DText> <DKoment>(* { *)</DKoment> "
               "<DKey>end</DKey>"},
    {.name = "CharactersOutsideTheBmpKeepPositions",
     .text = u"'\U0001F600' end {\U0001F600} begin",
     .marked = "<DText>'\U0001F600'</DText> <DKey>end</DKey> <DKoment>{\U0001F600}</DKoment> "
               "<DKey>begin</DKey>"},
    {.name = "WithoutColourOnlyStyles",
     .text = u"begin 'x' {c} end",
     .marked = "<b>begin</b> 'x' <i>{c}</i> <b>end</b>",
     .useColor = false},
    {.name = "EmptyEntryMatchesEmptyWordsHarmlessly",
     .text = u"  end;;",
     .marked = "  <DKey>end</DKey>;;",
     .keywords = {"", "end"}},
};

class DelphiFilterTest : public ::testing::TestWithParam<DelphiCase> {};

TEST_P(DelphiFilterTest, MarksTokens) {
  const DelphiCase& c = GetParam();
  Document document;
  document.SetText(c.text);
  const std::u16string before = document.Text();
  KeywordLists keywords;
  for (std::string_view entry : c.keywords) keywords.pascal.Add(entry);
  RecordingProgress progress(document);

  RunFormattingSteps(document, kPascalMode, keywords, c.useColor, progress);

  EXPECT_EQ(RenderMarking(document), c.marked);
  EXPECT_EQ(document.Text(), before);
  EXPECT_EQ(document.SelStart(), document.Length());
  EXPECT_EQ(document.SelLength(), 0);
  EXPECT_EQ(progress.captions, std::vector<std::string>{"Pro Delphi kód."});
}

INSTANTIATE_TEST_SUITE_P(Rows, DelphiFilterTest, ::testing::ValuesIn(kDelphiCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace markwell
