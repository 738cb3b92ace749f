// The end of a stretch of equal bytes, for the per-character format indices:
// every run of a document passes through here several times.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "scan/scan_choice.h"

namespace markwell::scan {

namespace scalar {

// The first position from `pos` up to `limit` whose byte differs from the
// byte at `pos`, or `limit`. The bytes up to `readable` (at least `limit`)
// may be read.
inline std::size_t EqualRunEnd(const std::uint8_t* data, std::size_t pos, std::size_t limit,
                               [[maybe_unused]] std::size_t readable) {
  if (pos >= limit) return limit;
  const std::uint8_t value = data[pos];
  while (pos < limit && data[pos] == value) ++pos;
  return pos;
}

}  // namespace scalar

#if MARKWELL_HAS_SSE2_SCANS
namespace sse2 {

inline std::size_t EqualRunEnd(const std::uint8_t* data, std::size_t pos, std::size_t limit,
                               std::size_t readable) {
  if (pos >= limit) return limit;
  const std::uint8_t value = data[pos];
  const __m128i values = _mm_set1_epi8(static_cast<char>(value));
  while (limit - pos >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    const auto equal = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, values)));
    if (equal != 0xFFFF) return pos + static_cast<std::size_t>(std::countr_zero(~equal));
    pos += 16;
  }
  // The tail in one block, where the bytes behind the limit may be read: a
  // loop of unforeseeable length costs more than the block.
  if (pos < limit && readable - pos >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    const auto equal = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, values)));
    return std::min(limit, pos + static_cast<std::size_t>(std::countr_zero(~equal)));
  }
  while (pos < limit && data[pos] == value) ++pos;
  return pos;
}

}  // namespace sse2
#endif

inline std::size_t EqualRunEnd(const std::uint8_t* data, std::size_t pos, std::size_t limit,
                               std::size_t readable) {
  return chosen::EqualRunEnd(data, pos, limit, readable);
}

inline std::size_t EqualRunEnd(const std::uint8_t* data, std::size_t pos, std::size_t limit) {
  return EqualRunEnd(data, pos, limit, limit);
}

}  // namespace markwell::scan
