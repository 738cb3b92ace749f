// Sixteen bytes at a time: the bytes widened to sixteen UTF-16 units, and a
// bit per byte for the bytes that plain-text decoding must look at (bytes of
// 0x80 and above, CR, LF).
#pragma once

#include <cstddef>
#include <cstdint>

#include "scan/scan_choice.h"

namespace markwell::scan {

inline constexpr std::size_t kWidenBlock = 16;

// Bit k stands for byte k of the block.
struct WidenMasks {
  std::uint32_t high = 0;  // 0x80 and above
  std::uint32_t cr = 0;
  std::uint32_t lf = 0;
  bool operator==(const WidenMasks&) const = default;
};

namespace scalar {

// Writes the kWidenBlock bytes at `in` as units at `out` (zero-extended) and
// reports which of them are high bytes, CRs and LFs.
inline WidenMasks Widen(const unsigned char* in, char16_t* out) {
  WidenMasks masks;
  for (std::size_t k = 0; k < kWidenBlock; ++k) {
    const unsigned char byte = in[k];
    out[k] = byte;
    masks.high |= std::uint32_t{byte >= 0x80} << k;
    masks.cr |= std::uint32_t{byte == '\r'} << k;
    masks.lf |= std::uint32_t{byte == '\n'} << k;
  }
  return masks;
}

}  // namespace scalar

#if MARKWELL_HAS_SSE2_SCANS
namespace sse2 {

inline WidenMasks Widen(const unsigned char* in, char16_t* out) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
  const auto mask = [](__m128i flags) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(flags));
  };
  return WidenMasks{mask(bytes), mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))),
                    mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')))};
}

}  // namespace sse2
#endif

inline WidenMasks Widen(const unsigned char* in, char16_t* out) {
#if MARKWELL_USE_SSE2_SCANS
  return sse2::Widen(in, out);
#else
  return scalar::Widen(in, out);
#endif
}

}  // namespace markwell::scan
