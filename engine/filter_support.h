// What the filters share: the identifier characters, the end of a word, the
// marking of a token and the progress rule.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "document.h"
#include "keyword_list.h"
#include "progress_view.h"
#include "token_styles.h"

namespace markwell {

// "A" to "Z", "a" to "z", "0" to "9" and "_". Everything else ends a word,
// accented letters and characters outside the 8-bit code page included.
inline constexpr std::array<bool, 128> kIdentifierChars = [] {
  std::array<bool, 128> table{};
  for (char16_t c = u'a'; c <= u'z'; ++c) table[c] = true;
  for (char16_t c = u'A'; c <= u'Z'; ++c) table[c] = true;
  for (char16_t c = u'0'; c <= u'9'; ++c) table[c] = true;
  table[u'_'] = true;
  return table;
}();

constexpr bool IsIdentifierChar(char16_t c) {
  return c < 128 && kIdentifierChars[c];
}

// The end of the run of identifier characters that starts at `p`. Eight
// characters at a time where SSE2 is at hand: most of a program's
// characters belong to words, and a word's end is seldom predictable.
inline int IdentifierEnd(std::u16string_view text, int p) {
  const auto length = static_cast<int>(text.size());
#if defined(__SSE2__)
  const auto inRange = [](__m128i units, char16_t low, char16_t high) {
    // Signed compares: units from 0x8000 on are negative and fall outside.
    return _mm_and_si128(_mm_cmpgt_epi16(units, _mm_set1_epi16(static_cast<short>(low - 1))),
                         _mm_cmplt_epi16(units, _mm_set1_epi16(static_cast<short>(high + 1))));
  };
  while (length - p >= 8) {
    const __m128i units = _mm_loadu_si128(
        reinterpret_cast<const __m128i*>(text.data() + static_cast<std::size_t>(p)));
    // Setting bit 5 folds "A" to "Z" onto "a" to "z" and moves no other
    // character into that range.
    const __m128i letter = inRange(_mm_or_si128(units, _mm_set1_epi16(0x20)), u'a', u'z');
    const __m128i digit = inRange(units, u'0', u'9');
    const __m128i underscore = _mm_cmpeq_epi16(units, _mm_set1_epi16(u'_'));
    const auto word = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(letter, digit), underscore)));
    if (word != 0xFFFF) return p + std::countr_zero(~word) / 2;  // two mask bits a unit
    p += 8;
  }
#endif
  while (p < length && IsIdentifierChar(text[static_cast<std::size_t>(p)])) ++p;
  return p;
}

// The characters that end a stretch of separators: the identifier
// characters and the ASCII characters in `openers`, which may open a token.
constexpr std::array<bool, 128> SeparatorStops(std::u16string_view openers) {
  std::array<bool, 128> stops = kIdentifierChars;
  for (char16_t c : openers) stops[c] = true;
  return stops;
}

// The end of the stretch from `p` of characters that neither belong to a
// word nor can open a token.
inline int SeparatorEnd(std::u16string_view text, int p, const std::array<bool, 128>& stops) {
  const auto length = static_cast<int>(text.size());
  while (p < length) {
    const char16_t c = text[static_cast<std::size_t>(p)];
    if (c < 128 && stops[c]) break;
    ++p;
  }
  return p;
}

// The bar is written, and so repainted, only when its value changes.
inline void ShowProgress(ProgressView& progress, int value) {
  if (progress.BarPosition() != value) progress.SetBarPosition(value);
}

// The progress of the one-position steps at first..last - 1, whose values are
// (step + offset) / 10, without a division per step: the writes are the same
// as step by step, since nothing else happens during these steps. A value
// beyond the maximum is shown clamped and so differs from the bar at every
// step that asks for it.
inline void ShowProgressOfSteps(ProgressView& progress, int first, int last, int offset) {
  for (int step = first; step < last;) {
    const int value = (step + offset) / 10;
    ShowProgress(progress, value);
    step = value > progress.BarMaximum() ? step + 1 : (value + 1) * 10 - offset;
  }
}

// Ends the words of one pass, looking each up in one keyword list.
class WordEnds {
 public:
  WordEnds(Document& document, const KeywordList& keywords, std::string_view style, bool useColour)
      : document_(document),
        keywords_(keywords),
        style_(style),
        useColour_(useColour),
        emptyWordIsKeyword_(IsKeyword(keywords, std::u16string_view())),
        canPassSeparators_(!emptyWordIsKeyword_ && !document.HasSelectionChangeHandler()) {}

  // Ends the word that began at SelStart before the non-identifier character
  // at `p` (or the end of the text), styles it when the list holds it, and
  // starts the next word behind `p`. The word start lives only in SelStart,
  // so these selection writes are also what the editor sees during a run.
  void At(int p) {
    document_.SetSelLength(p - document_.SelStart());
    const std::u16string_view word = document_.SelTextView();
    // Most words are empty (two non-identifier characters in a row); the list
    // does not change during a pass, so its answer for them is asked once.
    if (word.empty() ? emptyWordIsKeyword_ : IsKeyword(keywords_, word)) {
      ApplyTokenStyle(document_, style_, useColour_);
    }
    // Past the text at the end step; the document clamps it to the end.
    document_.SetSelStart(p + 1);
  }

  // Takes the steps at the stretch of separators from `p` on (up to a word
  // or a possible token opener, see SeparatorStops) and returns where the
  // stretch ends. Each of these steps ends an empty word and moves the
  // insertion point one further; when an empty word is no keyword and nobody
  // watches the selection, nothing but the bar's writes and the insertion
  // point's final place can be seen, so they are taken in one move.
  // Otherwise nothing is taken and `p` comes back.
  int PassSeparators(std::u16string_view text, int p, const std::array<bool, 128>& stops,
                     ProgressView& progress) {
    if (!canPassSeparators_) return p;
    const int end = SeparatorEnd(text, p, stops);
    if (end > p) {
      ShowProgressOfSteps(progress, p, end, 1);  // as the steps in a word
      document_.SetSelStart(end);
    }
    return std::max(end, p);
  }

 private:
  Document& document_;
  const KeywordList& keywords_;
  std::string_view style_;
  bool useColour_;
  bool emptyWordIsKeyword_;
  bool canPassSeparators_;
};

// Selects [first, last] and styles it; the insertion point ends behind it.
inline void MarkToken(Document& document, int first, int last, std::string_view style,
                      bool useColour) {
  document.SetSelStart(first);
  document.SetSelLength(last - first + 1);
  ApplyTokenStyle(document, style, useColour);
}

}  // namespace markwell
