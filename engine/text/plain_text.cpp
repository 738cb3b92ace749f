#include "text/plain_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "document/huge_pages.h"
#include "document/line_breaks.h"
#include "scan/byte_widen.h"
#include "text/code_page.h"
#include "text/utf8.h"

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
  // A text that outgrows it still grows, at the price of a copy.
  explicit TextBuilder(std::size_t bound) {
    try {
      text_.reserve(bound);
    } catch (const std::bad_alloc&) {
      // More room than the system gives at once: the text grows as it must.
      text_.reserve(bound / 2);
    }
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

  // Forgets what was decoded; the reserved room stays for a second try.
  void Clear() {
    text_.clear();
    used_ = 0;
  }

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

// The longest encoded character: a piece that ends closer than this to a
// byte of 0x80 or above may have cut the character in two.
constexpr std::size_t kLongestSequence = 4;

// Decodes 8-bit text piece by piece into a TextBuilder: ASCII is copied, CR
// LF, lone CR and lone LF become CR LF (also where a piece ends between CR
// and LF), and decodeHigh(bytes, i, out) decodes what starts with the byte
// 0x80 or above at i into `out`, returning {bytes read, units written}, or
// zero bytes read when the bytes are not valid in the encoding.
template <typename DecodeHigh>
class EightBitDecoder {
 public:
  EightBitDecoder(TextBuilder& builder, DecodeHigh decodeHigh)
      : builder_(builder), decodeHigh_(decodeHigh) {}

  // Decodes the next piece; `last` when no bytes follow it. Returns how many
  // bytes were decoded: all of them, or, before the last piece, all but a
  // character that may be cut off at the end, which must start the next
  // piece. Nothing when the bytes are not valid in the encoding.
  std::optional<std::size_t> Feed(std::string_view bytes, bool last) {
    constexpr std::size_t kSize = scan::kWidenBlock;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
      char16_t* out = builder_.Out();
      char16_t* const limit = builder_.PlainLimit();
      // Whole blocks of ASCII whose line breaks are all CR LF pairs go as
      // they are: the usual case for source code. A block that holds
      // anything else still gives its plain start.
      while (size - i >= kSize && limit - out >= static_cast<std::ptrdiff_t>(kSize)) {
        const scan::WidenMasks masks = scan::Widen(data + i, out);
        if (masks.AllPlain(pendingCr_)) {
          pendingCr_ = masks.EndsWithCr();
          out += kSize;
          i += kSize;
          continue;
        }
        if (!pendingCr_) {
          const std::size_t plain = masks.PlainPrefix();
          out += plain;
          i += plain;
        }
        break;
      }
      if (i == size) {
        builder_.SetEnd(out);
        break;
      }

      // One byte (or one encoded character) at a time.
      const unsigned char byte = data[i];
      if (byte >= 0x80 && !last && size - i < kLongestSequence) {
        builder_.SetEnd(out);
        return i;
      }
      if (pendingCr_) {
        pendingCr_ = false;
        *out++ = kLF;
        if (byte == '\n') {
          ++i;
          builder_.SetEnd(out);
          continue;
        }
      }
      if (byte == '\r') {
        *out++ = kCR;
        pendingCr_ = true;
        ++i;
      } else if (byte == '\n') {
        *out++ = kCR;
        *out++ = kLF;
        ++i;
      } else if (byte < 0x80) {
        *out++ = byte;
        ++i;
      } else {
        const auto [read, written] = decodeHigh_(bytes, i, out);
        if (read == 0) return std::nullopt;
        out += written;
        i += read;
      }
      builder_.SetEnd(out);
    }
    if (last && pendingCr_) {
      pendingCr_ = false;
      char16_t* out = builder_.Out();
      *out++ = kLF;
      builder_.SetEnd(out);
    }
    return size;
  }

 private:
  TextBuilder& builder_;
  DecodeHigh decodeHigh_;
  // A CR has been written and its LF not yet: the next byte decides whether
  // the LF is the file's own.
  bool pendingCr_ = false;
};

Decoded DecodeWindows1250Byte(std::string_view text, std::size_t i, char16_t* out) {
  out[0] = DecodeCodePageByte(1250, static_cast<std::uint8_t>(text[i]));
  return Decoded{1, 1};
}

Decoded DecodeUtf8Character(std::string_view text, std::size_t i, char16_t* out) {
  char32_t cp = 0;
  const std::size_t length = DecodeUtf8Sequence(text, i, cp);
  if (length == 0) return Decoded{0, 0};
  return Decoded{length, PutUtf16(cp, out)};
}

// Decodes all of `bytes` at once; nothing when they are not valid in the encoding.
template <typename DecodeHigh>
std::optional<std::u16string> DecodeText(std::string_view bytes, const Survey& survey,
                                         DecodeHigh decodeHigh) {
  TextBuilder builder(bytes.size() + survey.loneBreaks);
  EightBitDecoder decoder(builder, decodeHigh);
  if (!decoder.Feed(bytes, true)) return std::nullopt;
  return builder.Finish();
}

std::u16string DecodeWindows1250(std::string_view bytes, const Survey& survey) {
  return *DecodeText(bytes, survey, DecodeWindows1250Byte);
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
  return DecodeText(bytes, survey, DecodeUtf8Character);
}

// Reads into `into` until it is full or the source ends; how many bytes came.
std::size_t ReadFully(const ByteSource& source, std::uint64_t offset, std::span<char> into) {
  std::size_t got = 0;
  while (got < into.size()) {
    const std::size_t more = source(offset + got, into.subspan(got));
    if (more == 0) break;
    got += more;
  }
  return got;
}

enum class PiecesAre { kText, kNotText, kNotInTheEncoding };

// Decodes the bytes of `source` from `offset` to its end into `builder`, a
// piece at a time through `buffer`. A character cut off at the end of a
// piece moves to the buffer's start, to be completed by the next piece.
template <typename DecodeHigh>
PiecesAre DecodePieces(const ByteSource& source, std::uint64_t offset, std::vector<char>& buffer,
                       TextBuilder& builder, DecodeHigh decodeHigh) {
  EightBitDecoder decoder(builder, decodeHigh);
  std::size_t kept = 0;
  for (;;) {
    const std::size_t got = source(offset, std::span(buffer).subspan(kept));
    offset += got;
    const std::string_view bytes(buffer.data(), kept + got);
    if (std::memchr(bytes.data() + kept, 0, got) != nullptr) return PiecesAre::kNotText;
    const std::optional<std::size_t> decoded = decoder.Feed(bytes, got == 0);
    if (!decoded) return PiecesAre::kNotInTheEncoding;
    if (got == 0) return PiecesAre::kText;
    kept = bytes.size() - *decoded;
    std::memmove(buffer.data(), buffer.data() + *decoded, kept);
  }
}

// Room for the text of `bytes` 8-bit bytes: each gives at most two units (a
// lone line break, or half of a character outside the Basic Multilingual
// Plane). Only reserved: memory is taken as the text is written.
std::size_t TextBound(std::uint64_t bytes) {
  constexpr std::uint64_t kMostUnits = std::uint64_t{1} << 31;
  return static_cast<std::size_t>(std::min(2 * std::min(bytes, kMostUnits) + 1, kMostUnits));
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

std::optional<std::u16string> DecodePlainTextInPieces(const ByteSource& source,
                                                      std::uint64_t expectedBytes,
                                                      std::size_t pieceBytes) {
  std::array<char, 3> head{};
  const std::size_t headSize = ReadFully(source, 0, head);
  const std::string_view start(head.data(), headSize);
  if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
    // UTF-16 is read whole, as it comes.
    std::string bytes;
    std::vector<char> buffer(pieceBytes);
    for (std::size_t got; (got = source(bytes.size(), buffer)) > 0;)
      bytes.append(buffer.data(), got);
    return DecodePlainText(bytes);
  }
  // The byte-order mark holds no NUL and no line break.
  const std::uint64_t offset = start == "\xEF\xBB\xBF" ? 3 : 0;
  TextBuilder builder(TextBound(expectedBytes));
  std::vector<char> buffer(std::max<std::size_t>(pieceBytes, 1) + kLongestSequence);
  switch (DecodePieces(source, offset, buffer, builder, DecodeUtf8Character)) {
    case PiecesAre::kText:
      return builder.Finish();
    case PiecesAre::kNotText:
      return std::nullopt;
    case PiecesAre::kNotInTheEncoding:
      break;
  }
  builder.Clear();
  if (DecodePieces(source, offset, buffer, builder, DecodeWindows1250Byte) != PiecesAre::kText) {
    return std::nullopt;
  }
  return builder.Finish();
}

}  // namespace markwell
