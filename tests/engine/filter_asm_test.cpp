// FiltrASM, run as the formatting run runs it (reset, then the filter), one
// row per case.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "filter_test_support.h"
#include "run/formatting_run.h"

namespace markwell {
namespace {

using filter_test::RecordingProgress;
using filter_test::RenderMarking;

struct AsmCase {
  const char* name;
  std::u16string_view text;
  std::string_view marked;  // as RenderMarking writes it
  FontStyles baseStyle = {};
  TextColor baseColor = kWindowTextColor;
  bool rawText = false;  // keep line breaks as written (a lone CR)
};

void PrintTo(const AsmCase& c, std::ostream* os) {
  *os << c.name;
}

const AsmCase kAsmCases[] = {
    {.name = "EmptyDocument", .text = u"", .marked = ""},
    {.name = "CodeThenComment",
     .text = u"mov ax, 1 ; set\r\nret",
     .marked = "<b>mov ax, 1 </b>; set\n<b>ret</b>"},
    {.name = "LineStartingWithSemicolon", .text = u"; only\r\nnop", .marked = "; only\n<b>nop</b>"},
    {.name = "SecondSemicolonStaysComment", .text = u";a;b\r\nnop", .marked = ";a;b\n<b>nop</b>"},
    {.name = "CommentEndsAtItsLine",
     .text = u"x ; a ; b\r\ny ; c",
     .marked = "<b>x </b>; a ; b\n<b>y </b>; c"},
    {.name = "LinesWithoutSemicolon",
     .text = u"push bx\r\npop bx\r\n",
     .marked = "<b>push bx</b>\n<b>pop bx</b>\n"},
    {.name = "EmptyLine", .text = u"a\r\n\r\nb", .marked = "<b>a</b>\n\n<b>b</b>"},
    {.name = "NoSemicolonNoLineBreak", .text = u"nop", .marked = "<b>nop</b>"},
    {.name = "SemicolonInQuotesOpensComment", .text = u"db 'a;b'", .marked = "<b>db 'a</b>;b'"},
    {.name = "CzechTextInComment",
     .text = u"inc cx ; počítadlo\r\nloop",
     .marked = "<b>inc cx </b>; počítadlo\n<b>loop</b>"},
    {.name = "CharactersOutsideTheBmpKeepPositions",
     .text = u"db '\U0001F600' ; x\r\nret",
     .marked = "<b>db '\U0001F600' </b>; x\n<b>ret</b>"},
    {.name = "BoldIsAddedToItalic",
     .text = u"nop ; x",
     .marked = "<bi>nop </bi>; x",
     .baseStyle = FontStyle::Italic},
    {.name = "BoldKeepsTheColour",
     .text = u"nop ; x",
     .marked = "<b>nop </b>; x",
     .baseColor = 0x0000FF},
    // A lone CR moves the start two past it, so the stretch after it skips
    // one character; right before ";" its length comes out as -1.
    {.name = "LoneCr",
     .text = u"a\rbc;x\r;y",
     .marked = "<b>a</b>\u21B5b<b>c</b>;x\u21B5;y",
     .rawText = true},
};

class AsmFilterTest : public ::testing::TestWithParam<AsmCase> {};

TEST_P(AsmFilterTest, BoldsCode) {
  const AsmCase& c = GetParam();
  Document document;
  document.Font().SetStyle(c.baseStyle);
  document.Font().SetColor(c.baseColor);
  if (c.rawText) {
    document.ReplaceContent(
        DocumentContent::FromText(std::u16string(c.text), document.Font().AsCharFormat()));
  } else {
    document.SetText(c.text);
  }
  const std::u16string before = document.Text();
  RecordingProgress progress(document);

  RunFormattingSteps(document, kAssemblerMode, KeywordLists{}, true, progress);

  EXPECT_EQ(RenderMarking(document), c.marked);
  EXPECT_EQ(document.Text(), before);
  EXPECT_EQ(document.SelStart(), document.Length());
  EXPECT_EQ(document.SelLength(), 0);
  EXPECT_EQ(progress.captions, std::vector<std::string>{"Pro kód assembleru."});
}

INSTANTIATE_TEST_SUITE_P(Rows, AsmFilterTest, ::testing::ValuesIn(kAsmCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace markwell
