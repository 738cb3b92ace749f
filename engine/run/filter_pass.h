// The pass that every filter makes over the text, apart from what each
// filter states: its caption, its progress, its words and its tokens.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "document/document.h"
#include "run/progress_view.h"
#include "run/step_progress.h"
#include "run/token_styles.h"
#include "scan/char_masks.h"
#include "scan/unit_class.h"
#include "scan/unit_search.h"

namespace markwell {

// A token of a filter: what opens it, where it ends, which style it takes.
struct PassToken {
  std::u16string_view opener;  // the characters at its first position (one or two)
  int searchFrom;              // where the search for its closer begins, after the opener's start
  std::u16string_view closer;  // the characters that end at its last position (one or two)
  TokenStyle style;
  // A further test of the opener at p, where the filter has one.
  bool (*opensOnlyIf)(std::u16string_view text, int p) = nullptr;

  // Whether the token opens at p, a position within the text.
  constexpr bool OpensAt(std::u16string_view text, int p) const {
    const auto at = [&](int q) {
      return q < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(q)] : u'\0';
    };
    return at(p) == opener[0] && (opener.size() < 2 || at(p + 1) == opener[1]) &&
           (opensOnlyIf == nullptr || opensOnlyIf(text, p));
  }
};

// The first position from `from` on at which `closer` ends (its last
// character there, and the one before it in front, when it has two), or the
// length of the text when there is none.
inline int FindCloser(std::u16string_view text, int from, std::u16string_view closer) {
  const auto length = static_cast<int>(text.size());
  const scan::UnitClass last(closer.substr(closer.size() - 1));
  for (int q = from;; ++q) {
    q = scan::FindIn(text, q, last);
    if (q >= length) return length;
    if (closer.size() == 1 || (q >= 1 && text[static_cast<std::size_t>(q - 1)] == closer[0])) {
      return q;
    }
  }
}

// The characters that may open one of the filter's tokens: the first of
// each opener, each once. A quiet pass stops crossing separators at them.
template <typename Filter>
constexpr scan::UnitClass OpenersOf() {
  std::array<char16_t, scan::UnitClass::kMaxChars> chars{};
  std::size_t count = 0;
  for (const PassToken& token : Filter::kTokens) {
    const char16_t c = token.opener[0];
    if (std::find(chars.begin(), chars.begin() + count, c) != chars.begin() + count) continue;
    if (count == chars.size()) throw "a filter's tokens open with at most four characters";
    chars[count++] = c;
  }
  return scan::UnitClass(std::u16string_view(chars.data(), count));
}

// Whether a token can be found where the pass looks for it: it opens with
// a character that ends a word (tokens are tried only there), and its
// opener and closer have one or two characters.
template <typename Words>
constexpr bool IsSoundToken(const PassToken& token) {
  const auto oneOrTwo = [](std::u16string_view s) { return s.size() == 1 || s.size() == 2; };
  return oneOrTwo(token.opener) && oneOrTwo(token.closer) && Words::EndsWord(token.opener[0]);
}

// Calls attempt(k) with k = 0, 1, ... as constants (std::integral_constant),
// one for each of the filter's tokens in order, until one returns true.
template <typename Filter, typename Attempt>
bool TryTokensInOrder(Attempt&& attempt) {
  return [&]<std::size_t... k>(std::index_sequence<k...>) {
    return (attempt(std::integral_constant<std::size_t, k>{}) || ...);
  }
  (std::make_index_sequence<Filter::kTokens.size()>());
}

// One pass of a filter: steps at p = 0, then behind what the step before
// consumed, while p is at most the length of the text (the end step). A
// step has three stages: the word that ends at p, the token that opens at p
// (consumed through its last position), the progress bar.
//
// `Filter` states kCaption, kBarAhead (the bar shows (p + ahead) div 10 after
// the step whose last position is p), kTokens and TokenEnd(text, token, p),
// the last position of a token opened at p. `Words` is constructed from the
// document and `wordArgs` and says where a word ends and what its end does.
template <typename Filter, typename Words, typename... WordArgs>
void RunPass(Document& document, ProgressView& progress, WordArgs&&... wordArgs) {
  static_assert(std::ranges::all_of(Filter::kTokens, IsSoundToken<Words>));
  static constexpr scan::UnitClass kOpeners = OpenersOf<Filter>();
  progress.SetLabelCaption(Filter::kCaption);
  const std::u16string_view text = document.Text();  // the run changes no character
  const int length = document.Length();
  scan::MaskedText masked(text, kOpeners);
  StepProgress bar(progress, Filter::kBarAhead);

  document.SetSelStart(0);
  Words words(document, std::forward<WordArgs>(wordArgs)...);
  int p = 0;
  while (p <= length) {
    // The steps inside a word change nothing but the bar.
    const int wordEnd = Words::WordEnd(masked, p);
    bar.ShowStepsDone(p, wordEnd);
    p = wordEnd;

    // Stage 1: the word ends at p.
    words.EndWordAt(p);

    // Stage 2: the first token, in the filter's order, that opens at p runs
    // to its last position. At the end of the text nothing opens.
    int last = p;
    if (p < length) {
      TryTokensInOrder<Filter>([&](auto k) {
        constexpr PassToken token = Filter::kTokens[k];
        if (!token.OpensAt(text, p)) return false;
        last = Filter::TokenEnd(text, token, p);
        // An unclosed token's search may stop past the text.
        words.MarkToken(p, std::min(last, length - 1), token.style);
        return true;
      });
    }

    // Stage 3: progress, then the next step behind what this one consumed.
    bar.ShowStepDone(last);
    p = words.TakeSeparatorSteps(masked, last + 1, bar);
  }
}

}  // namespace markwell
