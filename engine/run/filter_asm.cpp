// FiltrASM: the code part of every line, before its first ";", in bold.
#include <algorithm>
#include <array>

#include "run/filter_pass.h"
#include "run/filters.h"
#include "run/word_steps.h"

namespace markwell {

namespace {

// The assembler's words are the stretches between delimiters: ";", CR and
// the end of the text. A stretch is code, and becomes bold, unless the
// delimiter in front of it is ";": then it lies in a comment, which the CR
// that ends the line closes. Bold is added to the style the stretch has.
// The pass is never quiet: a stretch starts at SelStart.
class CodeStretches : public WordSteps {
 public:
  explicit CodeStretches(Document& document) : WordSteps(document, false, false) {}

  static constexpr scan::UnitClass kWordEnds{u";\r"};
  static constexpr bool EndsWord(char16_t c) { return kWordEnds.Contains(c); }

  // Delimiters lie farther apart than the words of a program: a search of
  // the text from p does better here than its masks.
  static int WordEnd(scan::MaskedText& text, int p) {
    return scan::FindIn(text.Text(), p, kWordEnds);
  }

  void EndWordAt(int p) {
    if (!inComment_) {
      // After a lone CR the start lies one past p; the document takes the
      // length -1 as an empty selection.
      document_.SetSelLength(p - document_.SelStart());
      TextAttributes attributes = document_.SelAttributes();
      attributes.SetStyle(attributes.Style().With(FontStyle::Bold));
    }
    inComment_ = p < static_cast<int>(text_.size()) && text_[static_cast<std::size_t>(p)] == u';';
    // Two past a CR skips its LF; past the text it is clamped to the end.
    document_.SetSelStart(p + 2);
  }

  // No step between two delimiters is taken apart from the rest.
  static int TakeSeparatorSteps(scan::MaskedText&, int p, StepProgress&) { return p; }

 private:
  bool inComment_ = false;
};

struct AsmFilter {
  static constexpr const char* kCaption = "Pro kód assembleru.";
  // After the step at p the bar shows (p + 2) div 10.
  static constexpr int kBarAhead = 2;
  // Strings and the rest are code like any other: a ";" in quotes opens a
  // comment.
  static constexpr std::array<PassToken, 0> kTokens{};
  // A token would end at its closer, or at the last character of the text.
  static int TokenEnd(std::u16string_view text, const PassToken& token, int p) {
    const int last = static_cast<int>(text.size()) - 1;
    return std::min(FindCloser(text, p + token.searchFrom, token.closer), last);
  }
};

}  // namespace

void FiltrASM(Document& document, ProgressView& progress) {
  RunPass<AsmFilter, CodeStretches>(document, progress);
}

}  // namespace markwell
