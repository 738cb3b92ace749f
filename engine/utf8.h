// UTF-8 <-> UTF-16 conversions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace markwell {

// The UTF-16 form of `bytes` when they are valid UTF-8 (no overlong forms,
// no surrogates, nothing above U+10FFFF); nothing otherwise.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// UTF-8 of UTF-16 text; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);
void AppendUtf8(std::u16string_view text, std::string& out);

// UTF-16 of UTF-8 text that is known to be valid or comes from the program
// itself; invalid sequences become U+FFFD.
std::u16string Utf16(std::string_view utf8);

}  // namespace markwell
