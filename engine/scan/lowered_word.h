// A short word of a text as the bytes of its lower-cased ASCII, held in two
// numbers, for the keyword look-up of every word of a pass. The vector
// version reads sixteen units at once where the text holds them past the
// word's start; the plain version packs one unit after another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "scan/scan_choice.h"

namespace markwell::scan {

inline constexpr std::size_t kLoweredWordMax = 16;

// Bytes 0 to 7 of the word in `low`, the first in the lowest byte, bytes 8
// to 15 in `high`, zeros behind the word. A word with a unit from 0x80 on is
// no ASCII: its numbers are then zero.
struct LoweredWord {
  std::uint64_t low = 0;
  std::uint64_t high = 0;
  bool ascii = true;
  bool operator==(const LoweredWord&) const = default;
};

namespace scalar {

// The `count` (at most kLoweredWordMax) units of `text` from `start`;
// "A" to "Z" become "a" to "z".
inline LoweredWord LowerWord(std::u16string_view text, std::size_t start, std::size_t count) {
  LoweredWord word;
  for (std::size_t k = 0; k < count; ++k) {
    const char16_t c = text[start + k];
    if (c >= 0x80) return LoweredWord{0, 0, false};
    const auto byte = static_cast<std::uint64_t>(c >= u'A' && c <= u'Z' ? c + 32 : c);
    (k < 8 ? word.low : word.high) |= byte << (8 * (k % 8));
  }
  return word;
}

}  // namespace scalar

#if MARKWELL_HAS_SSE2_SCANS
namespace sse2 {

inline LoweredWord LowerWord(std::u16string_view text, std::size_t start, std::size_t count) {
  if (start > text.size() || text.size() - start < kLoweredWordMax) {
    return scalar::LowerWord(text, start, count);
  }
  const auto* units = reinterpret_cast<const __m128i*>(text.data() + start);
  const __m128i first = _mm_loadu_si128(units);
  const __m128i second = _mm_loadu_si128(units + 1);
  // Bit k of `asciiBits` is set when unit k lies below 0x80.
  const __m128i aboveAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  const auto asciiBits = static_cast<std::uint32_t>(
      _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(first, aboveAscii), zero),
                                        _mm_cmpeq_epi16(_mm_and_si128(second, aboveAscii), zero))));
  const std::uint32_t inWord = (std::uint32_t{1} << count) - 1;
  if ((asciiBits & inWord) != inWord) return LoweredWord{0, 0, false};
  const __m128i bytes = _mm_packus_epi16(first, second);
  // Unsigned: a byte from "A" to "Z" lies at most 25 above "A".
  const __m128i offset = _mm_sub_epi8(bytes, _mm_set1_epi8('A'));
  const __m128i upper = _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(25)), offset);
  const __m128i lowered = _mm_add_epi8(bytes, _mm_and_si128(upper, _mm_set1_epi8(32)));
  const __m128i positions = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m128i kept =
      _mm_and_si128(lowered, _mm_cmplt_epi8(positions, _mm_set1_epi8(static_cast<char>(count))));
  return LoweredWord{static_cast<std::uint64_t>(_mm_cvtsi128_si64(kept)),
                     static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(kept, kept))),
                     true};
}

}  // namespace sse2
#endif

inline LoweredWord LowerWord(std::u16string_view text, std::size_t start, std::size_t count) {
  return chosen::LowerWord(text, start, count);
}

}  // namespace markwell::scan
