#include "plain_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "code_page.h"
#include "huge_pages.h"
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

// Text decoded from an 8-bit encoding (UTF-8 or a code page), with every
// line break made CR LF. Decoded units gather in a small buffer that goes
// to the text when full, so the text is written once, never zero-filled.
class TextBuilder {
 public:
  // `bound` is the most units the text can take: it is reserved up front.
  explicit TextBuilder(std::size_t bound) {
    text_.reserve(bound);
    AdviseHugePages(text_.data(), text_.capacity() * sizeof(char16_t));
  }

  // Room for at least kMinRoom more units.
  char16_t* Room() {
    if (kChunk - used_ < kMinRoom) Flush();
    return chunk_.data() + used_;
  }
  std::size_t RoomLeft() const { return kChunk - used_; }
  void Advance(std::size_t units) { used_ += units; }

  std::u16string Finish() {
    Flush();
    return std::move(text_);
  }

  // A code point takes two units at most, and so does a line break.
  static constexpr std::size_t kMinRoom = 2;

 private:
  static constexpr std::size_t kChunk = 4096;

  void Flush() {
    text_.append(chunk_.data(), used_);
    used_ = 0;
  }

  std::u16string text_;
  std::array<char16_t, kChunk> chunk_;
  std::size_t used_ = 0;
};

// The number of CRs not followed by an LF plus the number of LFs not
// preceded by a CR: each of these grows by one unit as it becomes CR LF.
std::size_t LoneLineBreaks(std::string_view bytes) {
  std::size_t breaks = 0;
  std::size_t pairs = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i + 1 < size; ++i) {
    breaks += static_cast<std::size_t>(p[i] == '\r') + static_cast<std::size_t>(p[i] == '\n');
    pairs += static_cast<std::size_t>(p[i] == '\r' && p[i + 1] == '\n');
  }
  if (size > 0) breaks += static_cast<std::size_t>(p[size - 1] == '\r' || p[size - 1] == '\n');
  return breaks - 2 * pairs;
}

// The end of the run from `begin` of ASCII bytes other than CR and LF, at
// most `end`. Eight bytes at a time: the lowest flagged byte of each test
// below is exact (a false flag can only sit above a true one).
std::size_t PlainAsciiEnd(const unsigned char* data, std::size_t begin, std::size_t end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHigh = 0x8080808080808080ull;
  const auto hasZeroByte = [](std::uint64_t v) { return (v - kOnes) & ~v & kHigh; };
  std::size_t i = begin;
  while (end - i >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, data + i, sizeof word);
    const std::uint64_t special =
        (word & kHigh) | hasZeroByte(word ^ (kOnes * '\r')) | hasZeroByte(word ^ (kOnes * '\n'));
    if (special != 0) {
      const int bit = std::endian::native == std::endian::little ? std::countr_zero(special)
                                                                 : std::countl_zero(special);
      return i + static_cast<std::size_t>(bit / 8);
    }
    i += 8;
  }
  while (i < end && data[i] < 0x80 && data[i] != '\r' && data[i] != '\n') ++i;
  return i;
}

// Decodes 8-bit text: ASCII is copied, CR LF, lone CR and lone LF become
// CR LF, and decodeHigh(bytes, i, out) decodes what starts with the byte
// 0x80 or above at i into `out`, returning {bytes read, units written}, or
// zero bytes read when the bytes are not valid in the encoding.
template <typename DecodeHigh>
std::optional<std::u16string> DecodeText(std::string_view bytes, DecodeHigh decodeHigh) {
  TextBuilder builder(bytes.size() + LoneLineBreaks(bytes));
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    char16_t* out = builder.Room();
    // The run may fill the buffer only up to the room that one more step needs.
    const std::size_t stop =
        i + std::min(size - i, builder.RoomLeft() - TextBuilder::kMinRoom);
    const std::size_t plainEnd = PlainAsciiEnd(data, i, stop);
    for (std::size_t k = i; k < plainEnd; ++k) *out++ = data[k];
    builder.Advance(plainEnd - i);
    i = plainEnd;
    if (i == size) break;

    const unsigned char byte = data[i];
    if (byte >= 0x80) {
      const auto [read, written] = decodeHigh(bytes, i, out);
      if (read == 0) return std::nullopt;
      builder.Advance(written);
      i += read;
    } else if (byte == '\r' || byte == '\n') {
      out[0] = kCR;
      out[1] = kLF;
      builder.Advance(2);
      ++i;
      if (byte == '\r' && i < size && data[i] == '\n') ++i;
    } else {
      // A plain byte the run stopped in front of for want of room.
      out[0] = byte;
      builder.Advance(1);
      ++i;
    }
  }
  return builder.Finish();
}

struct Decoded {
  std::size_t read;
  std::size_t written;
};

std::u16string DecodeWindows1250(std::string_view bytes) {
  return *DecodeText(bytes, [](std::string_view text, std::size_t i, char16_t* out) {
    out[0] = DecodeCodePageByte(1250, static_cast<std::uint8_t>(text[i]));
    return Decoded{1, 1};
  });
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

// Nothing when the bytes are not valid UTF-8.
std::optional<std::u16string> DecodeUtf8Text(std::string_view bytes) {
  return DecodeText(bytes, [](std::string_view text, std::size_t i, char16_t* out) {
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8Sequence(text, i, cp);
    if (length == 0) return Decoded{0, 0};
    if (cp < 0x10000) {
      out[0] = static_cast<char16_t>(cp);
      return Decoded{length, 1};
    }
    out[0] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    return Decoded{length, 2};
  });
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
