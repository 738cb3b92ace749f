// The vector scans against their plain twins: any bytes as text, every scan
// at every start, the same answers.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_invariants.h"
#include "scan/byte_search.h"
#include "scan/byte_widen.h"
#include "scan/char_masks.h"
#include "scan/equal_run.h"
#include "scan/lowered_word.h"
#include "scan/plain_ascii.h"
#include "scan/unit_search.h"

using namespace markwell;

namespace {

#if MARKWELL_HAS_SSE2_SCANS
// The first byte picks a class of units; the rest are the text, a unit from
// each byte (ASCII mostly, so that the classes find something) or from two.
scan::UnitClass ClassOf(std::uint8_t choice, const std::uint8_t* data, std::size_t size) {
  std::u16string chars;
  for (std::size_t k = 0; k < (choice & 3u) + 1 && k < size; ++k) chars += char16_t{data[k]};
  return scan::UnitClass(chars, (choice & 4) != 0);
}

std::u16string UnitsOf(const std::uint8_t* data, std::size_t size, bool wide) {
  std::u16string text;
  for (std::size_t i = 0; i < size; ++i) {
    char16_t unit = data[i] & 0x7F;
    if (wide && i + 1 < size) {
      unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
      ++i;
    }
    text += unit;
  }
  return text;
}

// Starts near both ends of the text (and one past it): every search then
// crosses whole blocks and a tail, without taking quadratic time.
std::vector<int> StartsIn(int length) {
  std::vector<int> starts;
  for (int from = 0; from <= length + 1; ++from) {
    if (from < 64 || from > length - 40) starts.push_back(from);
  }
  return starts;
}

void CheckSearches(const std::u16string& text, const scan::UnitClass& units) {
  for (const int from : StartsIn(static_cast<int>(text.size()))) {
    fuzz::Require(scan::sse2::FindIn(text, from, units) == scan::scalar::FindIn(text, from, units),
                  "FindIn twins agree");
  }
}

// The first unit from `from` on that is no identifier character, or the end.
int FirstNotIdentifier(std::u16string_view text, int from) {
  int p = from;
  while (p < static_cast<int>(text.size()) && scan::IsIdentifierChar(text[p])) ++p;
  return std::max(p, from);
}

// The block masks against the plain classification, and the searches
// through them against the plain searches.
void CheckMasks(const std::u16string& text, const scan::UnitClass& units) {
  for (std::size_t i = 0; i < text.size(); i += i < 64 ? 1 : scan::kMaskBlock) {
    const std::size_t count = std::min<std::size_t>(scan::kMaskBlock, text.size() - i);
    fuzz::Require(scan::sse2::ClassifyBlock(text.data() + i, count, units) ==
                      scan::scalar::ClassifyBlock(text.data() + i, count, units),
                  "ClassifyBlock twins agree");
  }
  for (std::size_t start = 0; start <= text.size(); ++start) {
    const std::size_t count = std::min({scan::kLoweredWordMax, text.size() - start, start % 17});
    fuzz::Require(
        scan::sse2::LowerWord(text, start, count) == scan::scalar::LowerWord(text, start, count),
        "LowerWord twins agree");
  }
  std::u16string chars;
  for (std::size_t k = 0; k < units.CharCount(); ++k) chars += units.Char(k);
  const scan::UnitClass stops(chars, true);
  scan::MaskedText masked(text, units);
  for (const int from : StartsIn(static_cast<int>(text.size()))) {
    fuzz::Require(masked.FindNotIdentifier(from) == FirstNotIdentifier(text, from) &&
                      masked.FindIdentifierOrChar(from) == scan::scalar::FindIn(text, from, stops),
                  "searches through the masks agree with the plain ones");
  }
}

// How many bytes of a block loading takes as they are, by the bytes: all of
// them when none is from 0x80 on and the line breaks are CR LF pairs (an LF
// exactly where a CR stands before it, the one before the block counting
// for the first byte when `crBefore`; a last CR may find its LF after the
// block); else those before the first byte from 0x80 on, CR or LF, and none
// while a CR before the block waits for its LF.
std::size_t BytesTakenAsTheyAre(const std::uint8_t* in, bool crBefore) {
  bool whole = true;
  std::size_t prefix = scan::kWidenBlock;
  for (std::size_t k = 0; k < scan::kWidenBlock; ++k) {
    const bool afterCr = k == 0 ? crBefore : in[k - 1] == '\r';
    whole = whole && in[k] < 0x80 && (in[k] == '\n') == afterCr;
    if (prefix == scan::kWidenBlock && (in[k] >= 0x80 || in[k] == '\r' || in[k] == '\n')) {
      prefix = k;
    }
  }
  return whole ? scan::kWidenBlock : crBefore ? 0 : prefix;
}

void CheckBlocks(const std::u16string& text, const std::uint8_t* data, std::size_t size,
                 std::uint8_t choice) {
  for (std::size_t i = 0; i + scan::kPlainBlock <= text.size(); ++i) {
    std::array<char, scan::kPlainBlock> vector{};
    std::array<char, scan::kPlainBlock> plain{};
    const std::size_t n = scan::sse2::PackPlainPrefix(text.data() + i, vector.data());
    fuzz::Require(n == scan::scalar::PackPlainPrefix(text.data() + i, plain.data()) &&
                      std::memcmp(vector.data(), plain.data(), n) == 0,
                  "PackPlainPrefix twins agree");
  }
  for (std::size_t i = 0; i + scan::kWidenBlock <= size; ++i) {
    std::array<char16_t, scan::kWidenBlock> vector{};
    std::array<char16_t, scan::kWidenBlock> plain{};
    const scan::WidenMasks masks = scan::sse2::Widen(data + i, vector.data());
    fuzz::Require(masks == scan::scalar::Widen(data + i, plain.data()) && vector == plain,
                  "Widen twins agree");
    for (const bool crBefore : {false, true}) {
      const std::size_t taken = masks.AllPlain(crBefore) ? scan::kWidenBlock
                                : crBefore               ? 0
                                                         : masks.PlainPrefix();
      fuzz::Require(taken == BytesTakenAsTheyAre(data + i, crBefore) &&
                        masks.EndsWithCr() == (data[i + scan::kWidenBlock - 1] == '\r'),
                    "a widened block is taken as its bytes say");
    }
  }
  // Format indices: few distinct values, so that stretches are long.
  std::vector<std::uint8_t> indices(data, data + size);
  for (auto& index : indices) index = index < 200 ? 0 : index & 3;
  for (const int start : StartsIn(static_cast<int>(size))) {
    const auto pos = static_cast<std::size_t>(start);
    // Limits short of the end let the vector version read past them.
    const std::size_t limit = std::min(size, pos + (choice & 31u));
    fuzz::Require(scan::sse2::EqualRunEnd(indices.data(), pos, size, size) ==
                          scan::scalar::EqualRunEnd(indices.data(), pos, size, size) &&
                      scan::sse2::EqualRunEnd(indices.data(), pos, limit, size) ==
                          scan::scalar::EqualRunEnd(indices.data(), pos, limit, size),
                  "EqualRunEnd twins agree");
  }
  // Up to four of the index values 0 to 3 (with repeats) are sought.
  scan::SoughtBytes sought;
  sought.count = (choice >> 4) % (scan::kMaxSoughtBytes + 1);
  for (std::size_t i = 0; i < sought.count; ++i) sought.values[i] = (choice >> i) & 3;
  for (const int start : StartsIn(static_cast<int>(size))) {
    const auto pos = static_cast<std::size_t>(start);
    const std::size_t limit = std::min(size, pos + (choice & 31u));
    for (const std::size_t end : {size, limit}) {
      fuzz::Require(scan::sse2::FindByteOf(indices.data(), pos, end, sought) ==
                        scan::scalar::FindByteOf(indices.data(), pos, end, sought),
                    "FindByteOf twins agree");
    }
  }
}
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
#if MARKWELL_HAS_SSE2_SCANS
  if (size < 1) return 0;
  const std::uint8_t choice = data[0];
  ++data;
  --size;
  const std::u16string text = UnitsOf(data, size, (choice & 8) != 0);
  CheckSearches(text, ClassOf(choice, data, size));
  CheckSearches(text, scan::kIdentifierChars);
  CheckBlocks(text, data, size, choice);
  CheckMasks(text, ClassOf(choice, data, size));
#else
  (void)data;
  (void)size;
#endif
  return 0;
}
