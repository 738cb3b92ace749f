// Sixteen bytes at a time, for plain-text loading: the bytes widened to
// sixteen UTF-16 units, and how many of them the decoder may take as they
// are, which is all of them in most blocks of source code.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "scan/scan_choice.h"

namespace markwell::scan {

inline constexpr std::size_t kWidenBlock = 16;

namespace scalar {

// Writes the kWidenBlock bytes at `in` as units at `out` (zero-extended) and
// returns how many of them stand as they are. That is all of them when the
// block holds no byte from 0x80 on and its line breaks are CR LF pairs: an
// LF only right after a CR (the first byte's after the byte before the
// block, when `pendingCr` says that one is a CR whose LF has not come), and
// a CR only before an LF, or as the last byte, whose LF may follow the
// block: `pendingCr` then tells whether it is one. Otherwise it is the bytes
// before the first byte from 0x80 on, CR or LF, and none when a pending CR
// still waits for its LF.
inline std::size_t WidenPlain(const unsigned char* in, char16_t* out, bool& pendingCr) {
  bool whole = true;
  std::size_t plain = kWidenBlock;
  for (std::size_t k = 0; k < kWidenBlock; ++k) {
    const unsigned char byte = in[k];
    out[k] = byte;
    const bool afterCr = k == 0 ? pendingCr : in[k - 1] == '\r';
    whole = whole && byte < 0x80 && (byte == '\n') == afterCr;
    if (plain == kWidenBlock && (byte >= 0x80 || byte == '\r' || byte == '\n')) plain = k;
  }
  if (whole) {
    pendingCr = in[kWidenBlock - 1] == '\r';
    return kWidenBlock;
  }
  return pendingCr ? 0 : plain;
}

}  // namespace scalar

#if MARKWELL_HAS_SSE2_SCANS
namespace sse2 {

inline std::size_t WidenPlain(const unsigned char* in, char16_t* out, bool& pendingCr) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
  // Bit k stands for byte k.
  const auto mask = [](__m128i flags) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(flags));
  };
  const std::uint32_t high = mask(bytes);
  const std::uint32_t cr = mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')));
  const std::uint32_t lf = mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
  const std::uint32_t afterCr = ((cr << 1) | std::uint32_t{pendingCr}) & 0xFFFF;
  // No high byte, and an LF exactly where a CR stands before it.
  if ((high | (lf ^ afterCr)) == 0) {
    pendingCr = (cr >> (kWidenBlock - 1)) != 0;
    return kWidenBlock;
  }
  if (pendingCr) return 0;
  return static_cast<std::size_t>(std::countr_zero(high | cr | lf | (1u << kWidenBlock)));
}

}  // namespace sse2
#endif

inline std::size_t WidenPlain(const unsigned char* in, char16_t* out, bool& pendingCr) {
  return chosen::WidenPlain(in, out, pendingCr);
}

}  // namespace markwell::scan
