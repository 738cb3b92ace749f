// Sixteen bytes at a time, for plain-text loading: the bytes widened to
// sixteen UTF-16 units, a bit per byte for the bytes that decoding must look
// at (bytes of 0x80 and above, CR, LF), and what those bits tell: whether
// the block goes as it is, which most blocks of source code do.
#pragma once

#include <bit>
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

  // Whether the block goes as it is: no high byte, and its line breaks are
  // CR LF pairs (an LF exactly where a CR stands before it, the first byte's
  // CR being the one before the block when `crBefore`).
  bool AllPlain(bool crBefore) const {
    return high == 0 && lf == (((cr << 1) | std::uint32_t{crBefore}) & 0xFFFF);
  }
  // Whether the last byte is a CR.
  bool EndsWithCr() const { return (cr >> (kWidenBlock - 1)) != 0; }
  // How many bytes come before the first high byte, CR or LF.
  std::size_t PlainPrefix() const {
    return static_cast<std::size_t>(std::countr_zero(high | cr | lf | (1u << kWidenBlock)));
  }
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
  return chosen::Widen(in, out);
}

}  // namespace markwell::scan
