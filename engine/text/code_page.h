// 8-bit code pages: the Central European code page (windows-1250) that plain
// text falls back to and RTF is written in, and the others RTF files name.
#pragma once

#include <cstdint>
#include <optional>

namespace markwell {

// Code pages with a decoding table here: 1250 (Central European), 1251
// (Cyrillic), 1252 (Western), 1253 (Greek), 1254 (Turkish), 1257 (Baltic).
// Any other number decodes as 1252.
char16_t DecodeCodePageByte(int codePage, std::uint8_t byte);

// The windows-1250 byte of a character, if it has one.
std::optional<std::uint8_t> EncodeWindows1250(char16_t c);

// The code page that an RTF font charset (\fcharsetN) stands for; 0 for the
// document's own code page.
int CodePageOfCharset(int charset);

}  // namespace markwell
