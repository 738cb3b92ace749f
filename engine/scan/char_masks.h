// The first stage of a filter's pass: the text classified 64 units at a
// time into two bit masks, the identifier characters and the characters of a
// UnitClass (what may open a token). The filter then finds the end of a word,
// or the next unit that concerns it, as the next set bit, instead of testing
// unit after unit.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "scan/scan_choice.h"
#include "scan/unit_class.h"

namespace markwell::scan {

inline constexpr int kMaskBlock = 64;

// Bit k stands for unit k of a block; bits past the end of the text are clear.
struct BlockMasks {
  std::uint64_t identifier = 0;
  std::uint64_t chars = 0;  // the characters of the class (its identifier flag aside)
  bool operator==(const BlockMasks&) const = default;
};

namespace scalar {

// The masks of the `count` (at most kMaskBlock) units at `units`.
inline BlockMasks ClassifyBlock(const char16_t* units, std::size_t count, const UnitClass& chars) {
  BlockMasks masks;
  for (std::size_t k = 0; k < count; ++k) {
    const char16_t c = units[k];
    masks.identifier |= std::uint64_t{IsIdentifierChar(c)} << k;
    bool inSet = false;
    for (std::size_t i = 0; i < chars.CharCount(); ++i) inSet = inSet || chars.Char(i) == c;
    masks.chars |= std::uint64_t{inSet} << k;
  }
  return masks;
}

}  // namespace scalar

#if MARKWELL_HAS_SSE2_SCANS
namespace sse2 {

// Sixteen units at a time as bytes: packing saturates, so a unit above 0xFF
// becomes 0xFF and one from 0x8000 on becomes 0. Neither is an identifier
// character, and neither is a character of the class as long as those are
// ASCII from 1 on; any other class goes the plain way.
inline BlockMasks ClassifyBlock(const char16_t* units, std::size_t count, const UnitClass& chars) {
  const std::size_t n = chars.CharCount();
  bool asciiChars = true;
  for (std::size_t i = 0; i < n; ++i) {
    asciiChars = asciiChars && chars.Char(i) != 0 && chars.Char(i) < 0x80;
  }
  if (count < static_cast<std::size_t>(kMaskBlock) || !asciiChars) {
    return scalar::ClassifyBlock(units, count, chars);
  }
  // Four characters are always compared: a class of fewer repeats its first.
  __m128i set[UnitClass::kMaxChars];
  for (std::size_t i = 0; i < UnitClass::kMaxChars; ++i) {
    set[i] = _mm_set1_epi8(static_cast<char>(n == 0 ? 0 : chars.Char(i < n ? i : 0)));
  }
  // x <= limit, unsigned, for bytes.
  const auto atMost = [](__m128i x, char limit) {
    return _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(limit)), x);
  };
  const auto bits = [](__m128i flags) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(flags)));
  };
  BlockMasks masks;
  const auto* blocks = reinterpret_cast<const __m128i*>(units);
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes = _mm_packus_epi16(_mm_loadu_si128(blocks + 2 * part),
                                           _mm_loadu_si128(blocks + 2 * part + 1));
    // Setting bit 5 folds "A" to "Z" onto "a" to "z" and moves no other
    // byte into that range.
    const __m128i lowered = _mm_or_si128(bytes, _mm_set1_epi8(0x20));
    const __m128i letter = atMost(_mm_sub_epi8(lowered, _mm_set1_epi8('a')), 'z' - 'a');
    const __m128i digit = atMost(_mm_sub_epi8(bytes, _mm_set1_epi8('0')), '9' - '0');
    const __m128i underscore = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('_'));
    const __m128i identifier = _mm_or_si128(_mm_or_si128(letter, digit), underscore);
    const __m128i inSet =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, set[0]), _mm_cmpeq_epi8(bytes, set[1])),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, set[2]), _mm_cmpeq_epi8(bytes, set[3])));
    masks.identifier |= bits(identifier) << (16 * part);
    masks.chars |= bits(inSet) << (16 * part);
  }
  if (n == 0) masks.chars = 0;
  return masks;
}

}  // namespace sse2
#endif

inline BlockMasks ClassifyBlock(const char16_t* units, std::size_t count, const UnitClass& chars) {
  return chosen::ClassifyBlock(units, count, chars);
}

// A text read through its block masks, one block classified at a time as a
// search reaches it. Searches go forward mostly; each is a shift and a count
// of zero bits within a block.
class MaskedText {
 public:
  MaskedText(std::u16string_view text, const UnitClass& chars) : text_(text), chars_(chars) {}

  std::u16string_view Text() const { return text_; }

  // The first position from `from` on that holds no identifier character, or
  // the end of the text (or `from`, when it lies beyond).
  int FindNotIdentifier(int from) {
    return Find(from, [](const BlockMasks& m) { return ~m.identifier; });
  }

  // The first position from `from` on that holds an identifier character or
  // a character of the class, or the end of the text (or `from` beyond it).
  int FindIdentifierOrChar(int from) {
    return Find(from, [](const BlockMasks& m) { return m.identifier | m.chars; });
  }

 private:
  template <typename Bits>
  int Find(int from, Bits bits) {
    const auto length = static_cast<int>(text_.size());
    for (int p = std::max(from, 0); p < length; p = (p / kMaskBlock + 1) * kMaskBlock) {
      const std::uint64_t found = bits(MasksOf(p / kMaskBlock)) >> (p % kMaskBlock);
      // Bits past the end of the text may be set in a negated mask.
      if (found != 0) return std::min(p + std::countr_zero(found), length);
    }
    return std::max(from, length);
  }

  const BlockMasks& MasksOf(int block) {
    if (block != block_) Classify(block);
    return masks_;
  }

  // Once per block, against a search per word: kept out of the searches'
  // loops, which it would otherwise crowd.
  [[gnu::noinline]] void Classify(int block) {
    const auto start = static_cast<std::size_t>(block) * kMaskBlock;
    const std::size_t count = std::min<std::size_t>(kMaskBlock, text_.size() - start);
    masks_ = ClassifyBlock(text_.data() + start, count, chars_);
    block_ = block;
  }

  std::u16string_view text_;
  UnitClass chars_;
  int block_ = -1;
  BlockMasks masks_;
};

}  // namespace markwell::scan
