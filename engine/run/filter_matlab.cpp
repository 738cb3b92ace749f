// FiltrMatlab: keywords, strings in single quotes and "%" comments, always
// coloured.
#include "run/filter_support.h"
#include "run/filters.h"
#include "text/line_breaks.h"

namespace markwell {

namespace {

// A quote after one of these is the transpose operator, not a string.
constexpr bool EndsOperand(char16_t c) {
  return IsIdentifierChar(c) || c == u')' || c == u']';
}

bool OpensString(std::u16string_view text, int p) {
  const auto at = [&](int q) { return text[static_cast<std::size_t>(q)]; };
  return p < static_cast<int>(text.size()) && at(p) == u'\'' && (p == 0 || !EndsOperand(at(p - 1)));
}

bool OpensComment(std::u16string_view text, int p) {
  return p < static_cast<int>(text.size()) && text[static_cast<std::size_t>(p)] == u'%';
}

// The first `c` from `from` on, or the last character of the text.
int FindOrLast(std::u16string_view text, char16_t c, int from) {
  const int found = scan::FindIn(text, from, scan::UnitClass(std::u16string_view(&c, 1)));
  return found < static_cast<int>(text.size()) ? found : static_cast<int>(text.size()) - 1;
}

// The characters that may open a token.
constexpr scan::UnitClass kOpeners(u"'%");

}  // namespace

void FiltrMatlab(Document& document, const KeywordList& keywords, ProgressView& progress) {
  progress.SetLabelCaption("Pro MATLAB.");
  const std::u16string_view text = document.Text();  // the run changes no character
  const int length = document.Length();
  scan::MaskedText masked(text, kOpeners);
  // After a step the bar shows (p + 1) div 10, p the last position consumed.
  StepProgress bar(progress, 1);

  // SelStart holds the start of the current word.
  document.SetSelStart(0);
  WordSteps words(document, keywords, TokenStyle::kMatlabKeyword, true);
  int p = 0;
  while (p <= length) {
    p = WordSteps::TakeWordSteps(masked, p, bar);

    // Keyword: the word in front of a quote or a "%" is looked up before the
    // token.
    words.EndWordAt(p);

    // String or comment: the step consumes it through its last character.
    int last = p;
    if (OpensString(text, p)) {
      // Not even a line break ends a string.
      last = FindOrLast(text, u'\'', p + 1);
      words.MarkToken(p, last, TokenStyle::kMatlabString, true);
    } else if (OpensComment(text, p)) {
      // The comment keeps the CR that ends its line.
      last = FindOrLast(text, kCR, p + 1);
      words.MarkToken(p, last, TokenStyle::kMatlabComment, true);
    }

    // Progress, then the next step behind what this one consumed.
    bar.ShowStepDone(last);
    p = words.TakeSeparatorSteps(masked, last + 1, bar);
  }
}

}  // namespace markwell
