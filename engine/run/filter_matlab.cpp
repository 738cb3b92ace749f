// FiltrMatlab: keywords, strings in single quotes and "%" comments, always
// coloured.
#include <algorithm>
#include <array>

#include "run/filter_pass.h"
#include "run/filters.h"
#include "run/word_steps.h"

namespace markwell {

namespace {

// A quote after one of these is the transpose operator, not a string.
constexpr bool EndsOperand(char16_t c) {
  return scan::IsIdentifierChar(c) || c == u')' || c == u']';
}

bool NotAfterOperand(std::u16string_view text, int p) {
  return p == 0 || !EndsOperand(text[static_cast<std::size_t>(p - 1)]);
}

struct MatlabFilter {
  static constexpr const char* kCaption = "Pro MATLAB.";
  // After a step the bar shows (p + 1) div 10, p the last position consumed.
  static constexpr int kBarAhead = 1;

  // Tried in this order after the word in front of them has been looked up.
  static constexpr std::array<PassToken, 2> kTokens{{
      // String: not even a line break ends it.
      {.opener = u"'",
       .searchFrom = 1,
       .closer = u"'",
       .style = TokenStyle::kMatlabString,
       .opensOnlyIf = NotAfterOperand},
      // Comment: it keeps the CR that ends its line.
      {.opener = u"%", .searchFrom = 1, .closer = u"\r", .style = TokenStyle::kMatlabComment},
  }};

  // A token ends at its closer, or at the last character of the text.
  static int TokenEnd(std::u16string_view text, const PassToken& token, int p) {
    const int last = static_cast<int>(text.size()) - 1;
    return std::min(FindCloser(text, p + token.searchFrom, token.closer), last);
  }
};

}  // namespace

void FiltrMatlab(Document& document, const KeywordList& keywords, ProgressView& progress) {
  RunPass<MatlabFilter, KeywordWords>(document, progress, keywords, TokenStyle::kMatlabKeyword,
                                      true);
}

}  // namespace markwell
