// The formatting run: the document reset followed by the filter of an
// emphasis mode. The editor's formatting window and markwell-cli both call
// RunFormattingSteps, so one run gives the same result in both.
#pragma once

#include "document/document.h"
#include "keywords/keyword_list.h"
#include "run/progress_view.h"

namespace markwell {

enum EmphasisMode : int { kAssemblerMode = 1, kPascalMode = 2, kMatlabMode = 4 };

// Selects the whole document, gives it the base font's style, height, size
// and colour (font names stay), and collapses the selection to the start.
void ResetDocument(Document& document);

// The run's steps after the wait cursor: the bar's maximum (length div 10)
// and position 0, the reset, and the filter of `mode` (1 assembler,
// 2 Pascal, 4 MATLAB; any other mode runs no filter). `useColor` is the
// use-colour toggle, which only the Pascal filter reads.
void RunFormattingSteps(Document& document, int mode, const KeywordLists& keywords, bool useColor,
                        ProgressView& progress);

}  // namespace markwell
