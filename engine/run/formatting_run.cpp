#include "run/formatting_run.h"

#include "document/bulk_format_writes.h"
#include "run/filters.h"

namespace markwell {

void ResetDocument(Document& document) {
  document.SetSelStart(0);
  document.SetSelLength(document.Length());
  const BaseFont& font = document.Font();
  // Style, height, size and colour in one pass. A negative height gives a
  // negative size; the size write after it sets the base font's point size.
  BulkFormatWrites::SetStyleHeightSizeColor(document, font.Style(), font.Height(), font.Size(),
                                            font.Color());
  document.SetSelLength(0);
}

void RunFormattingSteps(Document& document, int mode, const KeywordLists& keywords, bool useColor,
                        ProgressView& progress) {
  progress.SetBarMaximum(document.Length() / 10);
  progress.SetBarPosition(0);
  ResetDocument(document);
  switch (mode) {
    case kAssemblerMode:
      FiltrASM(document, progress);
      break;
    case kPascalMode:
      FiltrDelphi(document, keywords.pascal, useColor, progress);
      break;
    case kMatlabMode:
      FiltrMatlab(document, keywords.matlab, progress);
      break;
    default:
      break;  // no filter: the reset alone
  }
}

}  // namespace markwell
