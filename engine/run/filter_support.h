// What the filters share: the progress bar after their steps, and the steps
// that concern words, with the keyword look-up and the marking of a token.
#pragma once

#include <algorithm>
#include <string_view>

#include "document/document.h"
#include "keywords/keyword_list.h"
#include "run/progress_view.h"
#include "run/run_shortcuts.h"
#include "run/token_styles.h"
#include "scan/char_masks.h"
#include "scan/unit_search.h"

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

// The steps of a pass that concern words: the identifier characters that
// grow a word, the step that ends it with its keyword look-up, the
// separators between words, and the token behind which the next word
// starts. The word begins at SelStart. When nobody watches the selection
// and the empty word is no keyword, only the selections that are styled and
// the last one can be seen: the word start is then kept here, and the
// document's selection follows it when a word is styled, a token is marked
// and the pass ends.
class WordSteps {
 public:
  WordSteps(Document& document, const KeywordList& keywords, TokenStyle style, bool useColour)
      : document_(document),
        text_(document.Text()),
        keywords_(keywords),
        style_(style),
        useColour_(useColour),
        emptyWordIsKeyword_(IsKeyword(keywords, std::u16string_view())),
        quiet_(!emptyWordIsKeyword_ && !RunShortcuts::SelectionIsWatched(document)),
        wordStart_(document.SelStart()) {}
  ~WordSteps() {
    if (quiet_) document_.SetSelStart(wordStart_);  // nobody is told, so nothing throws
  }
  WordSteps(const WordSteps&) = delete;
  WordSteps& operator=(const WordSteps&) = delete;

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
    // SetSelLength keeps the end within [start, Length()].
    const int end = std::clamp(p, wordStart_, static_cast<int>(text_.size()));
    // Most words are empty (two non-identifier characters in a row); the list
    // does not change during a pass, so its answer for them is asked once.
    const bool keyword = end == wordStart_
                             ? emptyWordIsKeyword_
                             : keywords_.ContainsWordAt(text_, static_cast<std::size_t>(wordStart_),
                                                        static_cast<std::size_t>(end - wordStart_));
    if (keyword || !quiet_) {
      document_.SetSelStart(wordStart_);  // where it is already, unless quiet
      document_.SetSelLength(end - wordStart_);
      if (keyword) ApplyTokenStyle(document_, style_, useColour_);
    }
    StartWordAt(p + 1);
  }

  // The steps at the separators from p on, up to the first identifier
  // character or character of the text's class (whatever may open a token);
  // returns where they end. Each such step ends an empty word and moves the
  // word start one further; when quiet, they are taken in one move.
  // Otherwise no step is taken and p comes back.
  int TakeSeparatorSteps(scan::MaskedText& text, int p, StepProgress& progress) {
    if (!quiet_ || p >= static_cast<int>(text_.size())) return p;
    const int end = text.FindIdentifierOrChar(p);
    if (end > p) {
      progress.ShowStepsDone(p, end);
      StartWordAt(end);
    }
    return end;
  }

  // Selects [first, last] and styles it; the next word starts behind it.
  void MarkToken(int first, int last, TokenStyle style, bool useColour) {
    document_.SetSelStart(first);
    document_.SetSelLength(last - first + 1);
    ApplyTokenStyle(document_, style, useColour);
    wordStart_ = document_.SelStart();
  }

 private:
  // SetSelStart, clamped the same way.
  void StartWordAt(int p) {
    wordStart_ = std::clamp(p, 0, static_cast<int>(text_.size()));
    if (!quiet_) document_.SetSelStart(p);
  }

  Document& document_;
  std::u16string_view text_;  // the run changes no character
  const KeywordList& keywords_;
  TokenStyle style_;
  bool useColour_;
  bool emptyWordIsKeyword_;
  bool quiet_;
  int wordStart_;
};

}  // namespace markwell
