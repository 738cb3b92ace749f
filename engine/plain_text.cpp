#include "plain_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "code_page.h"
#include "huge_pages.h"
#include "line_breaks.h"
#include "scan/byte_widen.h"
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

// What one pass over 8-bit bytes learns before decoding them.
struct Survey {
  bool hasNul = false;
  // CRs not followed by an LF plus LFs not preceded by a CR: each grows by
  // one unit as it becomes CR LF, so the text has at most bytes + this units.
  std::size_t loneBreaks = 0;
};

Survey SurveyBytes(std::string_view bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t breaks = 0;
  std::size_t pairs = 0;
  bool nul = false;
  // Blocks whose counts fit in a byte: the compiler turns the inner loop into
  // vector compares. A pair's LF may be the first byte after the block.
  constexpr std::size_t kBlock = 255;
  for (std::size_t begin = 0; begin < size; begin += kBlock) {
    const std::size_t end = std::min(size, begin + kBlock);
    std::uint8_t blockBreaks = 0;
    std::uint8_t blockPairs = 0;
    std::uint8_t blockNuls = 0;
    const std::size_t pairEnd = end < size ? end : end - 1;
    for (std::size_t i = begin; i < pairEnd; ++i) {
      blockPairs += static_cast<std::uint8_t>((data[i] == '\r') & (data[i + 1] == '\n'));
    }
    for (std::size_t i = begin; i < end; ++i) {
      blockBreaks += static_cast<std::uint8_t>((data[i] == '\r') | (data[i] == '\n'));
      blockNuls |= static_cast<std::uint8_t>(data[i] == 0);
    }
    breaks += blockBreaks;
    pairs += blockPairs;
    nul = nul || blockNuls != 0;
  }
  return Survey{nul, breaks - 2 * pairs};
}

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

  // Where the next units go; at least kStepRoom + a block of them fit.
  char16_t* Out() {
    if (kChunk - used_ < kStepRoom + scan::kWidenBlock) Flush();
    return chunk_.data() + used_;
  }
  // The end of the room for plain characters: kStepRoom more stay free.
  char16_t* PlainLimit() { return chunk_.data() + kChunk - kStepRoom; }
  void SetEnd(const char16_t* end) { used_ = static_cast<std::size_t>(end - chunk_.data()); }

  std::u16string Finish() {
    Flush();
    return std::move(text_);
  }

 private:
  // One step writes three units at most: the LF owed to a CR, then a code
  // point of two units or a line break.
  static constexpr std::size_t kStepRoom = 3;
  static constexpr std::size_t kChunk = 4096;

  void Flush() {
    text_.append(chunk_.data(), used_);
    used_ = 0;
  }

  std::u16string text_;
  std::array<char16_t, kChunk> chunk_;
  std::size_t used_ = 0;
};

struct Decoded {
  std::size_t read;
  std::size_t written;
};

// Decodes 8-bit text whose survey is `survey`: ASCII is copied, CR LF, lone
// CR and lone LF become CR LF, and decodeHigh(bytes, i, out) decodes what
// starts with the byte 0x80 or above at i into `out`, returning {bytes read,
// units written}, or zero bytes read when the bytes are not valid in the
// encoding.
template <typename DecodeHigh>
std::optional<std::u16string> DecodeText(std::string_view bytes, const Survey& survey,
                                         DecodeHigh decodeHigh) {
  constexpr std::size_t kSize = scan::kWidenBlock;
  TextBuilder builder(bytes.size() + survey.loneBreaks);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  // A CR has been written and its LF not yet: the next byte decides whether
  // the LF is the file's own.
  bool pendingCr = false;
  while (i < size) {
    char16_t* out = builder.Out();
    char16_t* const limit = builder.PlainLimit();
    // Whole blocks of ASCII whose line breaks are all CR LF pairs go as they
    // are: the usual case for source code. A block that holds anything else
    // still gives its plain start.
    while (size - i >= kSize && limit - out >= static_cast<std::ptrdiff_t>(kSize)) {
      const scan::WidenMasks masks = scan::Widen(data + i, out);
      const std::uint32_t afterCr = ((masks.cr << 1) | std::uint32_t{pendingCr}) & 0xFFFF;
      if (masks.high == 0 && masks.lf == afterCr) {
        pendingCr = (masks.cr >> (kSize - 1)) != 0;
        out += kSize;
        i += kSize;
        continue;
      }
      if (!pendingCr) {
        const auto plain = static_cast<std::size_t>(
            std::countr_zero(masks.high | masks.cr | masks.lf | (1u << kSize)));
        out += plain;
        i += plain;
      }
      break;
    }
    if (i == size) {
      builder.SetEnd(out);
      break;
    }

    // One byte (or one encoded character) at a time.
    const unsigned char byte = data[i];
    if (pendingCr) {
      pendingCr = false;
      *out++ = kLF;
      if (byte == '\n') {
        ++i;
        builder.SetEnd(out);
        continue;
      }
    }
    if (byte == '\r') {
      *out++ = kCR;
      pendingCr = true;
      ++i;
    } else if (byte == '\n') {
      *out++ = kCR;
      *out++ = kLF;
      ++i;
    } else if (byte < 0x80) {
      *out++ = byte;
      ++i;
    } else {
      const auto [read, written] = decodeHigh(bytes, i, out);
      if (read == 0) return std::nullopt;
      out += written;
      i += read;
    }
    builder.SetEnd(out);
  }
  if (pendingCr) {
    char16_t* out = builder.Out();
    *out++ = kLF;
    builder.SetEnd(out);
  }
  return builder.Finish();
}

std::u16string DecodeWindows1250(std::string_view bytes, const Survey& survey) {
  return *DecodeText(bytes, survey, [](std::string_view text, std::size_t i, char16_t* out) {
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
std::optional<std::u16string> DecodeUtf8Text(std::string_view bytes, const Survey& survey) {
  return DecodeText(bytes, survey, [](std::string_view text, std::size_t i, char16_t* out) {
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
  // The byte-order mark holds no NUL and no line break.
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  const Survey survey = SurveyBytes(bytes);
  if (survey.hasNul) return std::nullopt;
  if (auto text = DecodeUtf8Text(bytes, survey)) return text;
  return DecodeWindows1250(bytes, survey);
}

}  // namespace markwell
