// The first of a few byte values in a stretch of bytes, for the RTF writer's
// walk through the format indices: after the first lines of a document it
// looks for the few formats it has not met yet, mostly through to the end.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "scan/scan_choice.h"

namespace markwell::scan {

inline constexpr std::size_t kMaxSoughtBytes = 4;

// Up to kMaxSoughtBytes byte values.
struct SoughtBytes {
  std::array<std::uint8_t, kMaxSoughtBytes> values{};
  std::size_t count = 0;
};

namespace scalar {

// The first position in [pos, limit) whose byte is one of `sought`, or
// `limit` (or `pos`, when it lies beyond).
inline std::size_t FindByteOf(const std::uint8_t* data, std::size_t pos, std::size_t limit,
                              const SoughtBytes& sought) {
  const auto* first = sought.values.begin();
  const auto* last = first + sought.count;
  while (pos < limit && std::find(first, last, data[pos]) == last) ++pos;
  return pos;
}

}  // namespace scalar

#if MARKWELL_HAS_SSE2_SCANS
namespace sse2 {

inline std::size_t FindByteOf(const std::uint8_t* data, std::size_t pos, std::size_t limit,
                              const SoughtBytes& sought) {
  if (sought.count == 0) return std::max(pos, limit);
  // Four values are always compared: fewer repeat the first.
  __m128i values[kMaxSoughtBytes];
  for (std::size_t i = 0; i < kMaxSoughtBytes; ++i) {
    values[i] = _mm_set1_epi8(static_cast<char>(sought.values[i < sought.count ? i : 0]));
  }
  for (; pos < limit && limit - pos >= 16; pos += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    const __m128i found = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(block, values[0]), _mm_cmpeq_epi8(block, values[1])),
        _mm_or_si128(_mm_cmpeq_epi8(block, values[2]), _mm_cmpeq_epi8(block, values[3])));
    if (const auto bits = static_cast<unsigned>(_mm_movemask_epi8(found)); bits != 0) {
      return pos + static_cast<std::size_t>(std::countr_zero(bits));
    }
  }
  return scalar::FindByteOf(data, pos, limit, sought);
}

}  // namespace sse2
#endif

inline std::size_t FindByteOf(const std::uint8_t* data, std::size_t pos, std::size_t limit,
                              const SoughtBytes& sought) {
  return chosen::FindByteOf(data, pos, limit, sought);
}

}  // namespace markwell::scan
