// UTF-8 <-> UTF-16 conversions.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace markwell {

// UTF-16 surrogates: a code point beyond U+FFFF is a high surrogate
// followed by a low one.
constexpr bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Writes the UTF-16 units of a code point up to U+10FFFF to `out`, which has
// room for two: one unit, or a surrogate pair. Returns how many it wrote.
constexpr std::size_t PutUtf16(char32_t cp, char16_t* out) {
  if (cp < 0x10000) {
    out[0] = static_cast<char16_t>(cp);
    return 1;
  }
  cp -= 0x10000;
  out[0] = static_cast<char16_t>(0xD800 + (cp >> 10));
  out[1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  return 2;
}

// The code point of a surrogate pair.
constexpr char32_t CodePointOf(char16_t high, char16_t low) {
  return 0x10000 + ((char32_t{high} - 0xD800) << 10) + (char32_t{low} - 0xDC00);
}

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
    char16_t units[2];
    const std::size_t count = PutUtf16(cp, units);
    for (std::size_t k = 0; k < count; ++k) put(units[k]);
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
