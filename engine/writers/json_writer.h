// The document after a run as one JSON object: its text, the selection and
// the maximal runs of equal format. Scripts read this shape; keep it stable.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "document/document.h"

namespace markwell {

void WriteJson(const Document& document, std::ostream& out);

// "#RRGGBB" for a fixed colour, "auto" for the automatic colour.
std::string ColorName(TextColor color);

// Appends `text` as the body of a JSON string (without the quotes): UTF-8,
// with an unpaired surrogate kept as a \u escape so that positions still
// count UTF-16 units.
void AppendJsonString(std::u16string_view text, std::string& out);
void AppendJsonString(std::string_view utf8, std::string& out);

}  // namespace markwell
