// Reading RTF into document content.
#pragma once

#include <optional>
#include <string_view>

#include "char_format.h"
#include "document_content.h"

namespace markwell {

// True when `bytes` starts as an RTF file does ("{\rtf").
bool LooksLikeRtf(std::string_view bytes);

// Reads an RTF document. Returns nothing when `bytes` is not RTF; malformed
// RTF inside a valid header is read as far as it makes sense (never a crash,
// a hang or unbounded recursion). Characters take `defaultFormat` until the
// file says otherwise. Line breaks (\par, \line) become CR LF.
std::optional<DocumentContent> ReadRtf(std::string_view bytes, const CharFormat& defaultFormat);

}  // namespace markwell
