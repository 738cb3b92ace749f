// FiltrDelphi: keywords, string literals and the three comment forms of
// Pascal (Delphi dialect).
#include <algorithm>
#include <array>

#include "run/filter_pass.h"
#include "run/filters.h"
#include "run/word_steps.h"

namespace markwell {

namespace {

struct PascalFilter {
  static constexpr const char* kCaption = "Pro Delphi kód.";
  // After a step the bar shows (e + 1) div 10, e the last position consumed.
  static constexpr int kBarAhead = 1;

  // Tried in this order at the end of every word; the first whose opener
  // stands at p applies.
  static constexpr std::array<PassToken, 4> kTokens{{
      // String literal.
      {.opener = u"'", .searchFrom = 1, .closer = u"'", .style = TokenStyle::kPascalString},
      // Brace comment: the brace itself never closes.
      {.opener = u"{", .searchFrom = 0, .closer = u"}", .style = TokenStyle::kPascalComment},
      // Parenthesis-star comment: the star of the opener may close too, so
      // "(*)" is a whole comment.
      {.opener = u"(*", .searchFrom = 2, .closer = u"*)", .style = TokenStyle::kPascalComment},
      // Line comment: it keeps its CR, not the LF.
      {.opener = u"//", .searchFrom = 2, .closer = u"\r", .style = TokenStyle::kPascalComment},
  }};

  // A token ends at its closer, or at the last character of the text when
  // the search reaches it first; a search that begins past the text stops
  // at once.
  static int TokenEnd(std::u16string_view text, const PassToken& token, int p) {
    const int from = p + token.searchFrom;
    const int last = static_cast<int>(text.size()) - 1;
    return std::max(from, std::min(FindCloser(text, from, token.closer), last));
  }
};

}  // namespace

void FiltrDelphi(Document& document, const KeywordList& keywords, bool useColor,
                 ProgressView& progress) {
  RunPass<PascalFilter, KeywordWords>(document, progress, keywords, TokenStyle::kPascalKeyword,
                                      useColor);
}

}  // namespace markwell
