// What the filters share: the identifier characters, the end of a word, the
// marking of a token and the progress rule.
#pragma once

#include <array>
#include <string_view>

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

// The end of the run of identifier characters that starts at `p`.
inline int IdentifierEnd(std::u16string_view text, int p) {
  const auto length = static_cast<int>(text.size());
  while (p < length && IsIdentifierChar(text[static_cast<std::size_t>(p)])) ++p;
  return p;
}

// Ends the words of one pass, looking each up in one keyword list.
class WordEnds {
 public:
  WordEnds(Document& document, const KeywordList& keywords, std::string_view style, bool useColour)
      : document_(document),
        keywords_(keywords),
        style_(style),
        useColour_(useColour),
        emptyWordIsKeyword_(IsKeyword(keywords, std::u16string_view())) {}

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

 private:
  Document& document_;
  const KeywordList& keywords_;
  std::string_view style_;
  bool useColour_;
  bool emptyWordIsKeyword_;
};

// Selects [first, last] and styles it; the insertion point ends behind it.
inline void MarkToken(Document& document, int first, int last, std::string_view style,
                      bool useColour) {
  document.SetSelStart(first);
  document.SetSelLength(last - first + 1);
  ApplyTokenStyle(document, style, useColour);
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

}  // namespace markwell
