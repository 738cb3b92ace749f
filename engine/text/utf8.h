// UTF-8 <-> UTF-16 conversions.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace markwell {

// Decodes the UTF-8 sequence at bytes[i] into `cp`; returns its length, or 0
// when it is not valid UTF-8 (overlong, a surrogate, above U+10FFFF, cut off).
std::size_t DecodeUtf8Sequence(std::string_view bytes, std::size_t i, char32_t& cp);

// Calls put(char16_t) for each UTF-16 unit of valid UTF-8 `bytes`; false as
// soon as an invalid sequence is met.
template <typename Put>
bool ForEachUtf16Unit(std::string_view bytes, Put put) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      put(static_cast<char16_t>(byte));
      ++i;
      continue;
    }
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8Sequence(bytes, i, cp);
    if (length == 0) return false;
    if (cp < 0x10000) {
      put(static_cast<char16_t>(cp));
    } else {
      put(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      put(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    }
    i += length;
  }
  return true;
}

// The UTF-16 form of `bytes` when they are valid UTF-8 (no overlong forms,
// no surrogates, nothing above U+10FFFF); nothing otherwise.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// UTF-8 of UTF-16 text; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);
void AppendUtf8(std::u16string_view text, std::string& out);

// Writes UTF-8 of `text` to `out` in slices, never holding all of it twice.
void WriteUtf8(std::u16string_view text, std::ostream& out);

// UTF-16 of UTF-8 text that is known to be valid or comes from the program
// itself; invalid sequences become U+FFFD.
std::u16string Utf16(std::string_view utf8);

}  // namespace markwell
