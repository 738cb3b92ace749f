// Sixteen units at a time, for the RTF writer: how many of them are plain
// ASCII (written as they are), with their bytes.
#pragma once

#include <bit>
#include <cstddef>

#include "scan/scan_choice.h"

namespace markwell::scan {

inline constexpr std::size_t kPlainBlock = 16;

// Characters that RTF takes as they are: printable ASCII other than "\",
// "{" and "}".
constexpr bool IsPlainAscii(char16_t c) {
  return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
}

namespace scalar {

// How many of the kPlainBlock units at `text` are plain before the first that
// is not; their bytes go to `out`, which has room for kPlainBlock bytes (the
// bytes past the plain ones are of no use).
inline std::size_t PackPlainPrefix(const char16_t* text, char* out) {
  std::size_t plain = 0;
  while (plain < kPlainBlock && IsPlainAscii(text[plain])) {
    out[plain] = static_cast<char>(text[plain]);
    ++plain;
  }
  return plain;
}

}  // namespace scalar

#if MARKWELL_HAS_SSE2_SCANS
namespace sse2 {

inline std::size_t PackPlainPrefix(const char16_t* text, char* out) {
  const auto* units = reinterpret_cast<const __m128i*>(text);
  // Packing saturates: a unit above 0xFF becomes 0xFF and one from 0x8000
  // on becomes 0, neither of them plain.
  const __m128i bytes = _mm_packus_epi16(_mm_loadu_si128(units), _mm_loadu_si128(units + 1));
  // Signed compares: bytes from 0x80 on are negative and fail the first.
  const __m128i printable = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8(0x1F)),
                                          _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x7F)));
  const __m128i escaped = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\')),
                                                    _mm_cmpeq_epi8(bytes, _mm_set1_epi8('{'))),
                                       _mm_cmpeq_epi8(bytes, _mm_set1_epi8('}')));
  const auto plain = static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(escaped, printable)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
  return static_cast<std::size_t>(std::countr_zero(~plain));
}

}  // namespace sse2
#endif

inline std::size_t PackPlainPrefix(const char16_t* text, char* out) {
  return chosen::PackPlainPrefix(text, out);
}

}  // namespace markwell::scan
