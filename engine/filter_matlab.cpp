// FiltrMatlab: keywords, strings in single quotes and "%" comments, always
// coloured.
#include "filter_support.h"
#include "formatting_run.h"
#include "line_breaks.h"

namespace markwell {

namespace {

// A quote after one of these is the transpose operator, not a string.
constexpr bool EndsOperand(char16_t c) {
  return IsIdentifierChar(c) || c == u')' || c == u']';
}

// The first `c` at or after `from`, or the last character of the text.
int FindOrLast(std::u16string_view text, char16_t c, int from) {
  const auto found = text.find(c, static_cast<std::size_t>(from));
  return found == std::u16string_view::npos ? static_cast<int>(text.size()) - 1
                                            : static_cast<int>(found);
}

// Where a stretch of separators ends: a word or a character that may open
// a token.
constexpr std::array<bool, 128> kSeparatorStops = SeparatorStops(u"'%");

}  // namespace

void FiltrMatlab(Document& document, const KeywordList& keywords, ProgressView& progress) {
  progress.SetLabelCaption("Pro MATLAB.");
  const std::u16string_view text = document.Text();  // the run changes no character
  const int length = document.Length();

  // SelStart holds the start of the current word.
  document.SetSelStart(0);
  WordEnds wordEnds(document, keywords, "MKey", true);
  for (int p = 0; p <= length; ++p) {
    // Steps at identifier characters only grow the word.
    const int wordEnd = IdentifierEnd(text, p);
    ShowProgressOfSteps(progress, p, wordEnd, 1);
    p = wordEnd;

    // A non-identifier character, or the end of the text, which opens nothing.
    const char16_t c = p == length ? u'\0' : text[p];
    // The word in front of a quote or a "%" is looked up before the token.
    wordEnds.At(p);
    if (c == u'\'' && (p == 0 || !EndsOperand(text[p - 1]))) {
      // Not even a line break ends a string.
      const int last = FindOrLast(text, u'\'', p + 1);
      MarkToken(document, p, last, "MText", true);
      p = last;
    } else if (c == u'%') {
      // Tested on the step's own character, so a "%" that ends an unclosed
      // string stays in it. The comment keeps the CR that ends its line.
      const int last = FindOrLast(text, kCR, p + 1);
      MarkToken(document, p, last, "MKoment", true);
      p = last;
    }
    ShowProgress(progress, (p + 1) / 10);

    // The separators that follow, in one move where allowed.
    p = wordEnds.PassSeparators(text, p + 1, kSeparatorStops, progress) - 1;
  }
}

}  // namespace markwell
