// The editor on hostile documents: RTF with 50,000 distinct fonts, colours or
// sizes (forty characters to a line, and all in one line), 100,000 nested
// groups, and 50 MB of source in one line. Each is opened, typed in at its
// end, paged down and, for RTF, pasted; one table of milliseconds.
#pragma once

#include <QString>

namespace markwell::bench {

// Prints the table; 0 on success, 1 when a document could not be set up.
// With `only`, just the documents whose file name holds it.
int MeasureHostileDocuments(const QString& keywordDirectory, const QString& only);

}  // namespace markwell::bench
