// Eight bytes at a time: a word's bytes in memory order, and masks with the
// high bit of every byte that passes a test.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace markwell::byte_words {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The eight bytes at p, the first in the lowest bits whatever the machine.
inline std::uint64_t Load(const unsigned char* p) {
  std::uint64_t word = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&word, p, sizeof word);
  } else {
    for (std::size_t k = 0; k < sizeof word; ++k) word |= std::uint64_t{p[k]} << (8 * k);
  }
  return word;
}

// The high bit of each byte of `word` that equals `byte`, and no other bit.
constexpr std::uint64_t BytesEqual(std::uint64_t word, std::uint8_t byte) {
  const std::uint64_t x = word ^ (kOnes * byte);
  // A byte of x is zero exactly when adding 0x7F to its low seven bits and
  // or-ing in its own high bit leaves the high bit clear.
  return ~(((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
}

// The number of bytes flagged in a mask of high bits (no popcount
// instruction needed).
constexpr std::size_t CountFlagged(std::uint64_t mask) {
  return static_cast<std::size_t>(((mask >> 7) * kOnes) >> 56);
}

// The position (0 to 7) of the first byte flagged in a non-zero mask.
constexpr std::size_t FirstFlagged(std::uint64_t mask) {
  return static_cast<std::size_t>(std::countr_zero(mask)) / 8;
}

}  // namespace markwell::byte_words
