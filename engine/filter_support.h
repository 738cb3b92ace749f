// What the filters share: the progress bar after their steps, the end of a
// word with its keyword look-up, and the marking of a token.
#pragma once

#include <string_view>

#include "document.h"
#include "keyword_list.h"
#include "progress_view.h"
#include "run_shortcuts.h"
#include "scan/char_masks.h"
#include "scan/unit_search.h"
#include "token_styles.h"

namespace markwell {

using scan::IsIdentifierChar;

// The progress bar of a pass: after its step at p, a filter shows
// (p + ahead) div 10, p being the last position the step consumed. The bar
// is written, and so repainted, only when that value changes. A view that
// shows no write gets only the last one, when the pass ends.
class StepProgress {
 public:
  StepProgress(ProgressView& view, int ahead)
      : view_(view), ahead_(ahead), onlyLast_(!view.ShowsEachWrite()) {}
  ~StepProgress() {
    if (lastStep_ >= 0) Show((lastStep_ + ahead_) / 10);
  }
  StepProgress(const StepProgress&) = delete;
  StepProgress& operator=(const StepProgress&) = delete;

  // The bar after the step at p.
  void ShowStepDone(int p) { ShowStepsDone(p, p + 1); }

  // The bar after each of the steps at first .. end - 1, steps that change
  // nothing but the bar: the same writes as step by step, without a division
  // per step. A value beyond the maximum is shown clamped and so differs
  // from the bar at every step that asks for it.
  void ShowStepsDone(int first, int end) {
    if (onlyLast_) {
      if (end > first) lastStep_ = end - 1;
      return;
    }
    for (int p = first; p < end;) {
      const int value = (p + ahead_) / 10;
      Show(value);
      p = value > view_.BarMaximum() ? p + 1 : (value + 1) * 10 - ahead_;
    }
  }

 private:
  void Show(int value) {
    if (view_.BarPosition() != value) view_.SetBarPosition(value);
  }

  ProgressView& view_;
  int ahead_;
  bool onlyLast_;
  int lastStep_ = -1;  // the last step not yet shown, when only the last is
};

// The word end of a step at a non-identifier character: the word began at
// SelStart (the filter keeps it nowhere else) and ends before p.
class WordEnd {
 public:
  WordEnd(Document& document, const KeywordList& keywords, std::string_view style, bool useColour)
      : document_(document),
        keywords_(keywords),
        style_(style),
        useColour_(useColour),
        emptyWordIsKeyword_(IsKeyword(keywords, std::u16string_view())),
        quietSeparators_(!emptyWordIsKeyword_ && !RunShortcuts::SelectionIsWatched(document)) {}

  // The steps at the identifier characters from p on, which only grow the
  // word and move the bar; returns where the word ends.
  static int TakeWordSteps(scan::MaskedText& text, int p, StepProgress& progress) {
    const int end = text.FindNotIdentifier(p);
    progress.ShowStepsDone(p, end);
    return end;
  }

  // Selects the word, styles it when the list holds it, and starts the next
  // word behind p (past the text at the end step; the document clamps it).
  void EndWordAt(int p) {
    document_.SetSelLength(p - document_.SelStart());
    const std::u16string_view word = std::u16string_view(document_.Text())
                                         .substr(static_cast<std::size_t>(document_.SelStart()),
                                                 static_cast<std::size_t>(document_.SelLength()));
    // Most words are empty (two non-identifier characters in a row); the list
    // does not change during a pass, so its answer for them is asked once.
    if (word.empty() ? emptyWordIsKeyword_ : IsKeyword(keywords_, word)) {
      ApplyTokenStyle(document_, style_, useColour_);
    }
    document_.SetSelStart(p + 1);
  }

  // The steps at the separators from p on, up to the first identifier
  // character or character of the text's class (whatever may open a token);
  // returns where they end. Each such step ends an empty word and moves the word start one
  // further. When the empty word is no keyword and nobody watches the
  // selection, only the bar and the final word start can be seen, so they
  // are taken in one move; otherwise no step is taken and p comes back.
  int TakeSeparatorSteps(scan::MaskedText& text, int p, StepProgress& progress) {
    if (!quietSeparators_ || p >= static_cast<int>(text.Text().size())) return p;
    const int end = text.FindIdentifierOrChar(p);
    if (end > p) {
      progress.ShowStepsDone(p, end);
      document_.SetSelStart(end);
    }
    return end;
  }

 private:
  Document& document_;
  const KeywordList& keywords_;
  std::string_view style_;
  bool useColour_;
  bool emptyWordIsKeyword_;
  bool quietSeparators_;
};

// Selects [first, last] and styles it; the insertion point ends behind it.
inline void MarkToken(Document& document, int first, int last, std::string_view style,
                      bool useColour) {
  document.SetSelStart(first);
  document.SetSelLength(last - first + 1);
  ApplyTokenStyle(document, style, useColour);
}

}  // namespace markwell
