#include "plain_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "code_page.h"
#include "line_breaks.h"
#include "utf8.h"

namespace markwell {

namespace {

// Appends decoded text, turning each line break into CR LF as it goes, so
// that no second copy of the text is needed.
class LineBreakWriter {
 public:
  explicit LineBreakWriter(std::u16string& out) : out_(out) {}

  void Put(char16_t c) {
    if (c == kLF && afterCr_) {
      afterCr_ = false;
      return;
    }
    afterCr_ = c == kCR;
    if (c == kCR || c == kLF) {
      out_ += u"\r\n";
    } else {
      out_ += c;
    }
  }

 private:
  std::u16string& out_;
  bool afterCr_ = false;
};

std::u16string DecodeWindows1250(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size() + bytes.size() / 16);
  LineBreakWriter writer(out);
  for (char b : bytes) {
    const auto byte = static_cast<std::uint8_t>(b);
    writer.Put(byte < 0x80 ? static_cast<char16_t>(byte) : DecodeCodePageByte(1250, byte));
  }
  return out;
}

std::optional<std::u16string> DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  LineBreakWriter writer(out);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto b0 = static_cast<std::uint8_t>(bytes[i]);
    const auto b1 = static_cast<std::uint8_t>(bytes[i + 1]);
    const auto unit = static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    if (unit == 0) return std::nullopt;
    writer.Put(unit);
  }
  return out;
}

// Decodes UTF-8 with every line break made CR LF, in one pass into a buffer
// sized for the worst case; nothing when the bytes are not valid UTF-8.
std::optional<std::u16string> DecodeUtf8Text(std::string_view bytes) {
  const std::size_t breaks = static_cast<std::size_t>(
      std::count_if(bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; }));
  std::u16string text(bytes.size() + breaks, u'\0');
  char16_t* out = text.data();
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    const auto byte = static_cast<std::uint8_t>(bytes[i]);
    if (byte >= 0x80) {
      char32_t cp = 0;
      const std::size_t length = DecodeUtf8Sequence(bytes, i, cp);
      if (length == 0) return std::nullopt;
      if (cp < 0x10000) {
        *out++ = static_cast<char16_t>(cp);
      } else {
        *out++ = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
      }
      i += length;
    } else if (byte == '\r' || byte == '\n') {
      *out++ = kCR;
      *out++ = kLF;
      ++i;
      if (byte == '\r' && i < size && bytes[i] == '\n') ++i;
    } else {
      *out++ = byte;
      ++i;
    }
  }
  text.resize(static_cast<std::size_t>(out - text.data()));
  return text;
}

}  // namespace

std::optional<std::u16string> DecodePlainText(std::string_view bytes) {
  if (bytes.size() >= 2) {
    const auto b0 = static_cast<std::uint8_t>(bytes[0]);
    const auto b1 = static_cast<std::uint8_t>(bytes[1]);
    if (b0 == 0xFF && b1 == 0xFE) return DecodeUtf16(bytes.substr(2), false);
    if (b0 == 0xFE && b1 == 0xFF) return DecodeUtf16(bytes.substr(2), true);
  }
  if (std::memchr(bytes.data(), 0, bytes.size()) != nullptr) return std::nullopt;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (auto text = DecodeUtf8Text(bytes)) return text;
  return DecodeWindows1250(bytes);
}

}  // namespace markwell
