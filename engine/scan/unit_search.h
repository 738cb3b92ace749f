// The search of UTF-16 text for the first unit of a UnitClass. The vector
// version classifies sixteen units at a time into a bit mask and takes the
// first set bit; the plain version tests one unit after another.
#pragma once

#include <bit>
#include <cstdint>
#include <string_view>

#include "scan/scan_choice.h"
#include "scan/unit_class.h"

namespace markwell::scan {

namespace scalar {

// The first position from `from` on that holds a unit of the class, or the
// end of the text (or `from`, when it lies beyond).
inline int FindIn(std::u16string_view text, int from, const UnitClass& units) {
  const auto length = static_cast<int>(text.size());
  int p = from;
  while (p < length && !units.Contains(text[static_cast<std::size_t>(p)])) ++p;
  return p < from ? from : p;
}

}  // namespace scalar

#if MARKWELL_HAS_SSE2_SCANS
namespace sse2 {

inline constexpr int kBlock = 16;

// Bit k is set when unit k of the sixteen at `units` belongs to the class.
inline std::uint32_t MemberBits(const char16_t* units, const UnitClass& unitClass) {
  const auto inRange = [](__m128i v, char16_t low, char16_t high) {
    // Signed compares: units from 0x8000 on are negative and fall outside.
    return _mm_and_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16(static_cast<short>(low - 1))),
                         _mm_cmplt_epi16(v, _mm_set1_epi16(static_cast<short>(high + 1))));
  };
  const auto classify = [&](__m128i v) {
    __m128i in = _mm_setzero_si128();
    if (unitClass.HasIdentifierChars()) {
      // Setting bit 5 folds "A" to "Z" onto "a" to "z" and moves no other
      // unit into that range.
      in = _mm_or_si128(
          inRange(_mm_or_si128(v, _mm_set1_epi16(0x20)), u'a', u'z'),
          _mm_or_si128(inRange(v, u'0', u'9'), _mm_cmpeq_epi16(v, _mm_set1_epi16(u'_'))));
    }
    for (std::size_t k = 0; k < unitClass.CharCount(); ++k) {
      const auto c = static_cast<short>(unitClass.Char(k));
      in = _mm_or_si128(in, _mm_cmpeq_epi16(v, _mm_set1_epi16(c)));
    }
    return in;
  };
  const auto* blocks = reinterpret_cast<const __m128i*>(units);
  // Each lane is all ones or all zeros: packing keeps one byte per unit.
  const __m128i packed =
      _mm_packs_epi16(classify(_mm_loadu_si128(blocks)), classify(_mm_loadu_si128(blocks + 1)));
  return static_cast<std::uint32_t>(_mm_movemask_epi8(packed));
}

inline int FindIn(std::u16string_view text, int from, const UnitClass& units) {
  const auto length = static_cast<int>(text.size());
  int p = from;
  while (length - p >= kBlock) {
    const std::uint32_t hits = MemberBits(text.data() + p, units);
    if (hits != 0) return p + std::countr_zero(hits);
    p += kBlock;
  }
  return scalar::FindIn(text, p, units);
}

}  // namespace sse2
#endif

// The first position from `from` on that holds a unit of the class, or the
// end of the text (or `from`, when it lies beyond).
inline int FindIn(std::u16string_view text, int from, const UnitClass& units) {
  return chosen::FindIn(text, from, units);
}

}  // namespace markwell::scan
