// Writing the document as a standalone HTML page: UTF-8, one <pre> with an
// inline style per run of equal format. Every character of the text and of
// the font names is escaped, so any document gives safe HTML.
#pragma once

#include <ostream>
#include <string>

#include "document_content.h"

namespace markwell {

void WriteHtml(const DocumentContent& content, const std::string& title, std::ostream& out);

}  // namespace markwell
