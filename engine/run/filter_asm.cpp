// FiltrASM: the code part of every line, before its first ";", in bold.
#include "run/filter_support.h"
#include "run/filters.h"
#include "text/line_breaks.h"

namespace markwell {

namespace {

// The delimiters: ";" and CR (and the end of the text).
constexpr scan::UnitClass kDelimiters(u";\r");

}  // namespace

void FiltrASM(Document& document, ProgressView& progress) {
  progress.SetLabelCaption("Pro kód assembleru.");
  const std::u16string_view text = document.Text();  // the run changes no character
  const int length = document.Length();
  // After the step at p the bar shows (p + 2) div 10.
  StepProgress bar(progress, 2);

  // SelStart holds the start of the current stretch.
  document.SetSelStart(0);
  bool inComment = false;
  for (int p = 0; p <= length; ++p) {
    // Steps between delimiters change nothing but the bar.
    const int delimiter = scan::FindIn(text, p, kDelimiters);
    bar.ShowStepsDone(p, delimiter);
    p = delimiter;

    // ";", CR or the end of the text: the stretch before it becomes bold,
    // unless it lies in a comment.
    if (!inComment) {
      // After a lone CR the start lies one past p; the document takes the
      // length -1 as an empty selection.
      document.SetSelLength(p - document.SelStart());
      TextAttributes attributes = document.SelAttributes();
      attributes.SetStyle(attributes.Style().With(FontStyle::Bold));
    }
    inComment = p < length && text[static_cast<std::size_t>(p)] == u';';
    // Two past a CR skips its LF; past the text it is clamped to the end.
    document.SetSelStart(p + 2);
    bar.ShowStepDone(p);
  }
}

}  // namespace markwell
