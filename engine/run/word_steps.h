// The steps of a pass that concern words: where a word ends, what its end
// does, the separators between words, and the token behind which the next
// word starts. KeywordWords are the words of the Pascal and the MATLAB
// filter; the assembler filter's stretches build on WordSteps too.
#pragma once

#include <algorithm>

#include "document/document.h"
#include "keywords/keyword_list.h"
#include "run/run_shortcuts.h"
#include "run/step_progress.h"
#include "run/token_styles.h"
#include "scan/char_masks.h"
#include "scan/unit_class.h"

namespace markwell {

// The word start and the selection. The word begins at SelStart. When the
// pass is quiet (nobody watches the selection, and only the selections that
// are styled and the last one can be seen), the word start is kept here,
// and the document's selection follows it when a word is styled, a token is
// marked and the pass ends.
class WordSteps {
 public:
  WordSteps(Document& document, bool useColor, bool quiet)
      : document_(document),
        text_(document.Text()),
        useColor_(useColor),
        quiet_(quiet),
        wordStart_(document.SelStart()) {}
  ~WordSteps() {
    if (quiet_) document_.SetSelStart(wordStart_);  // nobody is told, so nothing throws
  }
  WordSteps(const WordSteps&) = delete;
  WordSteps& operator=(const WordSteps&) = delete;

  // Selects [first, last] and styles it; the next word starts behind it.
  void MarkToken(int first, int last, TokenStyle style) {
    document_.SetSelStart(first);
    document_.SetSelLength(last - first + 1);
    ApplyTokenStyle(document_, style, useColor_);
    wordStart_ = document_.SelStart();
  }

 protected:
  // Selects the word: from its start up to `end`, which SetSelLength keeps
  // within [start, Length()].
  void SelectWord(int end) {
    if (quiet_) document_.SetSelStart(wordStart_);  // otherwise it is there already
    document_.SetSelLength(end - wordStart_);
  }

  // SetSelStart, clamped the same way.
  void StartWordAt(int p) {
    wordStart_ = std::clamp(p, 0, static_cast<int>(text_.size()));
    if (!quiet_) document_.SetSelStart(p);
  }

  Document& document_;
  std::u16string_view text_;  // the run changes no character
  bool useColor_;
  bool quiet_;
  int wordStart_;
};

// Words of identifier characters, each looked up where it ends and styled
// when the keyword list holds it. Every other character ends a word. When
// the empty word is no keyword, the separators between words only move the
// word start, and a quiet pass crosses them in one move.
class KeywordWords : public WordSteps {
 public:
  KeywordWords(Document& document, const KeywordList& keywords, TokenStyle keywordStyle,
               bool useColor)
      : KeywordWords(document, keywords, keywordStyle, useColor,
                     IsKeyword(keywords, std::u16string_view())) {}

  static constexpr bool EndsWord(char16_t c) { return !scan::IsIdentifierChar(c); }

  // The first position from p on that ends a word.
  static int WordEnd(scan::MaskedText& text, int p) { return text.FindNotIdentifier(p); }

  // Selects the word, styles it when the list holds it, and starts the next
  // word behind p (past the text at the end step; the document clamps it).
  void EndWordAt(int p) {
    const int start = wordStart_;
    const int end = std::clamp(p, start, static_cast<int>(text_.size()));
    // Most words are empty (two non-identifier characters in a row); the list
    // does not change during a pass, so its answer for them is asked once.
    const bool keyword = end == start
                             ? emptyWordIsKeyword_
                             : keywords_.ContainsWordAt(text_, static_cast<std::size_t>(start),
                                                        static_cast<std::size_t>(end - start));
    if (keyword || !quiet_) {
      SelectWord(end);
      if (keyword) ApplyTokenStyle(document_, keywordStyle_, useColor_);
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

 private:
  KeywordWords(Document& document, const KeywordList& keywords, TokenStyle keywordStyle,
               bool useColor, bool emptyWordIsKeyword)
      : WordSteps(document, useColor,
                  !emptyWordIsKeyword && !RunShortcuts::SelectionIsWatched(document)),
        keywords_(keywords),
        keywordStyle_(keywordStyle),
        emptyWordIsKeyword_(emptyWordIsKeyword) {}

  const KeywordList& keywords_;
  TokenStyle keywordStyle_;
  bool emptyWordIsKeyword_;
};

}  // namespace markwell
