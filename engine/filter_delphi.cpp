// FiltrDelphi: keywords, string literals and the three comment forms of
// Pascal (Delphi dialect).
#include <algorithm>

#include "filter_support.h"
#include "formatting_run.h"
#include "line_breaks.h"

namespace markwell {

namespace {

enum class Token { kNone, kLiteral, kBraceComment, kParenStarComment, kLineComment };

// The token whose opener stands at p (< length).
Token TokenAt(std::u16string_view text, int p) {
  const auto next = static_cast<std::size_t>(p) + 1;
  switch (text[static_cast<std::size_t>(p)]) {
    case u'\'':
      return Token::kLiteral;
    case u'{':
      return Token::kBraceComment;
    case u'(':
      return next < text.size() && text[next] == u'*' ? Token::kParenStarComment : Token::kNone;
    case u'/':
      return next < text.size() && text[next] == u'/' ? Token::kLineComment : Token::kNone;
    default:
      return Token::kNone;
  }
}

// The first q from `from` on that is the last character of the text (or
// beyond it) or where the closer `closer` ends, `closer` being matched so that
// it ends at q. A closer that starts before `from` counts, which lets the star
// of "(*" close "(*)".
int FindCloser(std::u16string_view text, std::u16string_view closer, int from) {
  const int last = static_cast<int>(text.size()) - 1;
  if (from >= last) return from;
  const auto closerLength = static_cast<int>(closer.size());
  const auto found = text.find(closer, static_cast<std::size_t>(from - closerLength + 1));
  if (found == std::u16string_view::npos) return last;
  return std::min(static_cast<int>(found) + closerLength - 1, last);
}

// The last position of the token opened at p: its closer, or the last
// character of the text when the search reaches it first.
int TokenEnd(std::u16string_view text, Token token, int p) {
  switch (token) {
    case Token::kLiteral:
      return FindCloser(text, u"'", p + 1);
    case Token::kBraceComment:
      return FindCloser(text, u"}", p);  // the brace itself never closes
    case Token::kParenStarComment:
      return FindCloser(text, u"*)", p + 2);
    case Token::kLineComment:
      return FindCloser(text, u"\r", p + 2);  // keeps its CR, not the LF
    case Token::kNone:
      break;
  }
  return p;
}

// Where a stretch of separators ends: a word or a character that may open
// a token.
constexpr std::array<bool, 128> kSeparatorStops = SeparatorStops(u"'{(/");

std::string_view StyleOf(Token token) {
  return token == Token::kLiteral ? "DText" : "DKoment";
}

}  // namespace

void FiltrDelphi(Document& document, const KeywordList& keywords, bool useColour,
                 ProgressView& progress) {
  progress.SetLabelCaption("Pro Delphi kód.");
  const std::u16string_view text = document.Text();  // the run changes no character
  const int length = document.Length();

  // SelStart holds the start of the current word.
  document.SetSelStart(0);
  WordEnds wordEnds(document, keywords, "DKey", useColour);
  int p = 0;
  while (p <= length) {
    // Steps at identifier characters only grow the word.
    const int wordEnd = IdentifierEnd(text, p);
    ShowProgressOfSteps(progress, p, wordEnd, 1);
    p = wordEnd;

    // A non-identifier character, or the end of the text: the word ends
    // before a token that follows it is marked.
    wordEnds.At(p);
    int last = p;  // the last position this step consumes
    if (const Token token = p == length ? Token::kNone : TokenAt(text, p); token != Token::kNone) {
      last = TokenEnd(text, token, p);
      // An unclosed token's search may stop past the text.
      MarkToken(document, p, std::min(last, length - 1), StyleOf(token), useColour);
    }
    ShowProgress(progress, (last + 1) / 10);
    p = last + 1;

    // The separators that follow, in one move where allowed.
    p = wordEnds.PassSeparators(text, p, kSeparatorStops, progress);
  }
}

}  // namespace markwell
