// Sixteen bytes at a time: the bytes widened to sixteen UTF-16 units, and a
// bit per byte for the bytes that decoding must look at (bytes of 0x80 and
// above, CR, LF). SSE2 where the compiler offers it (every x86-64), a plain
// loop elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace markwell::byte_block {

inline constexpr std::size_t kSize = 16;

// Bit k stands for byte k of the block.
struct Masks {
  std::uint32_t high = 0;  // 0x80 and above
  std::uint32_t cr = 0;
  std::uint32_t lf = 0;
};

// Writes the kSize bytes at `in` as kSize units at `out` (zero-extended) and
// reports which of them are high bytes, CRs and LFs.
inline Masks Widen(const unsigned char* in, char16_t* out) {
#if defined(__SSE2__)
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
  const auto mask = [](__m128i flags) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(flags));
  };
  return Masks{mask(bytes), mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))),
               mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')))};
#else
  Masks masks;
  for (std::size_t k = 0; k < kSize; ++k) {
    const unsigned char byte = in[k];
    out[k] = byte;
    masks.high |= std::uint32_t{byte >= 0x80} << k;
    masks.cr |= std::uint32_t{byte == '\r'} << k;
    masks.lf |= std::uint32_t{byte == '\n'} << k;
  }
  return masks;
#endif
}

}  // namespace markwell::byte_block
