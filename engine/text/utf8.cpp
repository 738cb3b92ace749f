#include "text/utf8.h"

#include <algorithm>
#include <cstdint>

namespace markwell {

std::size_t DecodeUtf8Sequence(std::string_view bytes, std::size_t i, char32_t& cp) {
  const auto b0 = static_cast<std::uint8_t>(bytes[i]);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    length = 2;
    cp = b0 & 0x1F;
    minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3;
    cp = b0 & 0x0F;
    minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4;
    cp = b0 & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<std::uint8_t>(bytes[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

std::optional<std::u16string> DecodeUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  if (!ForEachUtf16Unit(bytes, [&](char16_t unit) { out += unit; })) return std::nullopt;
  return out;
}

std::u16string Utf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8Sequence(utf8, i, cp);
    if (length == 0) {
      out += u'\uFFFD';
      ++i;
    } else {
      char16_t units[2];
      out.append(units, PutUtf16(cp, units));
      i += length;
    }
  }
  return out;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp < 0x80) {
      // A run of ASCII goes over in one piece.
      std::size_t end = i + 1;
      while (end < text.size() && text[end] < 0x80) ++end;
      const std::size_t at = out.size();
      out.resize(at + (end - i));
      char* to = out.data() + at;
      for (std::size_t k = i; k < end; ++k) *to++ = static_cast<char>(text[k]);
      i = end - 1;
      continue;
    }
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      cp = CodePointOf(text[i], text[i + 1]);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // an unpaired surrogate has no UTF-8 form
    }
    if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendUtf8(text, out);
  return out;
}

void WriteUtf8(std::u16string_view text, std::ostream& out) {
  constexpr std::size_t kSlice = 1 << 16;
  std::string utf8;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = std::min(text.size(), start + kSlice);
    // Never split a surrogate pair between two slices.
    if (end < text.size() && IsHighSurrogate(text[end - 1])) ++end;
    utf8.clear();
    AppendUtf8(text.substr(start, end - start), utf8);
    out.write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
    start = end;
  }
}

}  // namespace markwell
