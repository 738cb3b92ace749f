// Plain-text files: decoding their bytes into document text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace markwell {

// The text of a plain-text file, every line break (CR LF, lone CR, lone LF)
// turned into CR LF. UTF-8 when the bytes are valid UTF-8 (a byte-order mark
// is dropped), UTF-16 when they start with its byte-order mark, else the
// Central European code page (windows-1250). Nothing for binary data: bytes
// that hold a NUL (outside UTF-16) are not text, and loading them would give
// a garbage document.
std::optional<std::u16string> DecodePlainText(std::string_view bytes);

}  // namespace markwell
