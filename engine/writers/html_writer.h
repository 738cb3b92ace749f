// Writing the document as a standalone HTML page: UTF-8, one <pre> with an
// inline style per run of equal format. Every character of the text and of
// the font names is escaped, so any document gives safe HTML.
#pragma once

#include <ostream>
#include <string>

#include "document/document_content.h"

namespace markwell {

void WriteHtml(const DocumentContent& content, const std::string& title, std::ostream& out);

// Positions [begin, end) with their formats as an HTML fragment for the
// clipboard: one <pre> that keeps every blank and line, in the format of
// most of the text, and a <span> with what differs wherever another format
// applies.
std::string HtmlFragment(const DocumentContent& content, int begin, int end);

}  // namespace markwell
