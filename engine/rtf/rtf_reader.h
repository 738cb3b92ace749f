// Reading RTF into document content.
#pragma once

#include <optional>
#include <string_view>

#include "document/char_format.h"
#include "document/document_content.h"

namespace markwell {

// True when `bytes` starts as an RTF file does ("{\rtf").
bool LooksLikeRtf(std::string_view bytes);

// Reads an RTF document. Returns nothing when `bytes` is not RTF; malformed
// RTF inside a valid header is read as far as it makes sense (never a crash,
// a hang or unbounded recursion). Characters take the style, colour and font
// of `defaultFormat` until the file says otherwise, and RTF's own default
// size, 12 points (\fs24), until the first \fs. Line breaks (\par, \line) become CR LF.
std::optional<DocumentContent> ReadRtf(std::string_view bytes, const CharFormat& defaultFormat);

}  // namespace markwell
