#include "plain_text.h"

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
  std::u16string text;
  text.reserve(bytes.size() + bytes.size() / 16);
  LineBreakWriter writer(text);
  if (ForEachUtf16Unit(bytes, [&](char16_t unit) { writer.Put(unit); })) return text;
  text = std::u16string();  // give the memory back before the second decoding
  return DecodeWindows1250(bytes);
}

}  // namespace markwell
