// Helpers shared by the RTF and clipboard tests.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/char_format.h"
#include "document/document_content.h"
#include "rtf/rtf_reader.h"
#include "text/utf8.h"

namespace markwell::test {

inline CharFormat Format(std::string font, int size, std::uint8_t style = 0,
                         TextColor color = kWindowTextColor) {
  CharFormat f;
  f.fontName = std::move(font);
  f.size = size;
  f.style = FontStyles(style);
  f.color = color;
  return f;
}

// Content from (UTF-8 text, format) pieces.
inline DocumentContent Content(const std::vector<std::pair<std::string, CharFormat>>& pieces) {
  DocumentContent content;
  for (const auto& [text, format] : pieces) content.Append(Utf16(text), format);
  return content;
}

inline std::string Utf8Text(const DocumentContent& content) {
  return EncodeUtf8(content.Text());
}

inline std::string Describe(const CharFormat& f) {
  std::ostringstream out;
  out << "{font \"" << f.fontName << "\", size " << f.size << ", style " << int(f.style.Bits())
      << ", colour ";
  if (IsAutomatic(f.color)) {
    out << "automatic}";
  } else {
    out << "#" << std::hex << f.color << "}";
  }
  return out.str();
}

// The format of the first occurrence of `piece` (UTF-8), which must exist
// and be in one format.
inline std::optional<CharFormat> FormatOf(const DocumentContent& content, std::string_view piece) {
  const std::u16string needle = Utf16(piece);
  const auto at = content.Text().find(needle);
  if (at == std::u16string::npos) {
    ADD_FAILURE() << "text \"" << piece << "\" not found in \"" << Utf8Text(content) << "\"";
    return std::nullopt;
  }
  const CharFormat& first = content.FormatAt(static_cast<int>(at));
  for (std::size_t i = 1; i < needle.size(); ++i) {
    if (!(content.FormatAt(static_cast<int>(at + i)) == first)) {
      ADD_FAILURE() << "text \"" << piece << "\" has more than one format";
      return std::nullopt;
    }
  }
  return first;
}

// Text holds line breaks only as CR LF pairs and no NUL.
inline ::testing::AssertionResult WellFormedText(const std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == 0) return ::testing::AssertionFailure() << "NUL at " << i;
    if (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) {
      return ::testing::AssertionFailure() << "lone CR at " << i;
    }
    if (c == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
      return ::testing::AssertionFailure() << "lone LF at " << i;
    }
  }
  return ::testing::AssertionSuccess();
}

inline std::string ReadTestFile(const std::string& relative) {
  std::ifstream in(std::string(MARKWELL_TEST_DATA_DIR) + "/" + relative, std::ios::binary);
  EXPECT_TRUE(in.good()) << relative;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace markwell::test
