// Writing document content as RTF.
#pragma once

#include <ostream>
#include <string>

#include "document/document_content.h"

namespace markwell {

// Writes [begin, end) of `content` as a complete RTF document: a font table
// with charsets, a colour table (entry 0 automatic), \ansicpg1250, \'xx for
// characters of the code page and \uN for the rest, one \par per CR LF.
// Output is produced as it goes, not built whole in memory.
void WriteRtf(const DocumentContent& content, int begin, int end, std::ostream& out);
void WriteRtf(const DocumentContent& content, std::ostream& out);
std::string RtfString(const DocumentContent& content, int begin, int end);

}  // namespace markwell
