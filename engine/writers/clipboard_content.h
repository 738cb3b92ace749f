// What the clipboard carries of the document: the selection as RTF, HTML and
// plain text, and inserting either at the selection.
#pragma once

#include <string>
#include <string_view>

#include "document/document.h"

namespace markwell {

// The selection as a complete RTF document.
std::string SelectionAsRtf(const Document& document);
// The selection as an HTML fragment (UTF-8).
std::string SelectionAsHtml(const Document& document);
// The selection as UTF-8 text with CR LF line breaks.
std::string SelectionAsText(const Document& document);

// Replaces the selection by the content of an RTF document (its formats
// kept); false, with nothing changed, when `rtf` is not RTF.
bool InsertRtf(Document& document, std::string_view rtf);
// Replaces the selection by plain text in the format at the selection.
void InsertText(Document& document, std::u16string_view text);

}  // namespace markwell
