// The three filters that a formatting run dispatches to. Each sets its
// caption, walks the text once and leaves an insertion point at the end of
// the text.
#pragma once

#include "document/document.h"
#include "keywords/keyword_list.h"
#include "run/progress_view.h"

namespace markwell {

// The code part of every line, before its first ";", in bold.
void FiltrASM(Document& document, ProgressView& progress);
// Keywords, string literals and the three comment forms of Pascal (Delphi
// dialect); their colours too when `useColor` is true.
void FiltrDelphi(Document& document, const KeywordList& keywords, bool useColor,
                 ProgressView& progress);
// Keywords, strings in single quotes and "%" comments, always coloured.
void FiltrMatlab(Document& document, const KeywordList& keywords, ProgressView& progress);

}  // namespace markwell
