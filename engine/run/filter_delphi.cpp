// FiltrDelphi: keywords, string literals and the three comment forms of
// Pascal (Delphi dialect).
#include <algorithm>

#include "run/filter_support.h"
#include "run/filters.h"
#include "text/line_breaks.h"

namespace markwell {

namespace {

enum class Token { kNone, kLiteral, kBraceComment, kParenStarComment, kLineComment };

// The token whose opener stands at p, tried in this order; at the end of
// the text nothing opens.
Token TokenAt(std::u16string_view text, int p) {
  const auto at = [&](int q) {
    return q < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(q)] : u'\0';
  };
  if (at(p) == u'\'') return Token::kLiteral;
  if (at(p) == u'{') return Token::kBraceComment;
  if (at(p) == u'(' && at(p + 1) == u'*') return Token::kParenStarComment;
  if (at(p) == u'/' && at(p + 1) == u'/') return Token::kLineComment;
  return Token::kNone;
}

// The search for a closer: from `from`, the first q that is the last
// character of the text or beyond it, or at which `isCloserAt(q)` holds.
template <typename IsCloserAt>
int CloserFrom(std::u16string_view text, int from, char16_t closerEnd, IsCloserAt isCloserAt) {
  const int last = static_cast<int>(text.size()) - 1;
  for (int q = from; q < last; ++q) {
    q = scan::FindIn(text, q, scan::UnitClass(std::u16string_view(&closerEnd, 1)));
    if (q >= last) break;
    if (isCloserAt(q)) return q;
  }
  return std::max(from, last);
}

// The last position of the token opened at p: its closer, or the last
// character of the text (or beyond it) when the search reaches it first.
int TokenEnd(std::u16string_view text, Token token, int p) {
  const auto is = [&](int q, char16_t c) {
    return q >= 0 && text[static_cast<std::size_t>(q)] == c;
  };
  const auto any = [](int) { return true; };
  switch (token) {
    case Token::kLiteral:
      return CloserFrom(text, p + 1, u'\'', any);
    case Token::kBraceComment:
      return CloserFrom(text, p, u'}', any);  // the brace itself never closes
    case Token::kParenStarComment:
      // The star of the opener may close too: "(*)" is a whole comment.
      return CloserFrom(text, p + 2, u')', [&](int q) { return is(q - 1, u'*'); });
    case Token::kLineComment:
      return CloserFrom(text, p + 2, kCR, any);  // keeps its CR, not the LF
    case Token::kNone:
      break;
  }
  return p;
}

TokenStyle StyleOf(Token token) {
  return token == Token::kLiteral ? TokenStyle::kPascalString : TokenStyle::kPascalComment;
}

// The characters that may open a token.
constexpr scan::UnitClass kOpeners(u"'{(/");

}  // namespace

void FiltrDelphi(Document& document, const KeywordList& keywords, bool useColour,
                 ProgressView& progress) {
  progress.SetLabelCaption("Pro Delphi kód.");
  const std::u16string_view text = document.Text();  // the run changes no character
  const int length = document.Length();
  scan::MaskedText masked(text, kOpeners);
  // After a step the bar shows (e + 1) div 10, e the last position consumed.
  StepProgress bar(progress, 1);

  // SelStart holds the start of the current word.
  document.SetSelStart(0);
  WordSteps words(document, keywords, TokenStyle::kPascalKeyword, useColour);
  int p = 0;
  while (p <= length) {
    p = WordSteps::TakeWordSteps(masked, p, bar);

    // Stage 1: a non-identifier character, or the end of the text, ends the
    // word.
    words.EndWordAt(p);

    // Stage 2: a token that opens at p runs to its closer.
    int last = p;
    if (const Token token = TokenAt(text, p); token != Token::kNone) {
      last = TokenEnd(text, token, p);
      // An unclosed token's search may stop past the text.
      words.MarkToken(p, std::min(last, length - 1), StyleOf(token), useColour);
    }

    // Stage 3: progress.
    bar.ShowStepDone(last);
    p = words.TakeSeparatorSteps(masked, last + 1, bar);
  }
}

}  // namespace markwell
