// FiltrASM: the code part of every line, before its first ";", in bold.
#include "filter_support.h"
#include "formatting_run.h"
#include "line_breaks.h"

namespace markwell {

namespace {

// The first ";" or CR at or after `p`, or the end of the text.
int DelimiterFrom(std::u16string_view text, int p) {
  const auto length = static_cast<int>(text.size());
  while (p < length && text[static_cast<std::size_t>(p)] != u';' &&
         text[static_cast<std::size_t>(p)] != kCR) {
    ++p;
  }
  return p;
}

}  // namespace

void FiltrASM(Document& document, ProgressView& progress) {
  progress.SetLabelCaption("Pro kód assembleru.");
  const std::u16string_view text = document.Text();  // the run changes no character
  const int length = document.Length();

  // SelStart holds the start of the current stretch.
  document.SetSelStart(0);
  bool inComment = false;
  for (int p = 0; p <= length; ++p) {
    // Steps between delimiters change nothing but the bar.
    const int delimiter = DelimiterFrom(text, p);
    ShowProgressOfSteps(progress, p, delimiter, 2);
    p = delimiter;

    // ";", CR or the end of the text.
    if (!inComment) {
      // After a lone CR the start lies one past p; the document takes the
      // length -1 as an empty selection.
      document.SetSelLength(p - document.SelStart());
      TextAttributes attributes = document.SelAttributes();
      attributes.SetStyle(attributes.Style().With(FontStyle::Bold));
    }
    inComment = p < length && text[p] == u';';
    // Two past a CR skips its LF; past the text it is clamped to the end.
    document.SetSelStart(p + 2);
    ShowProgress(progress, (p + 2) / 10);
  }
}

}  // namespace markwell
