#include "document/format_index_array.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace markwell {
namespace {

using Index = FormatIndexArray::Index;

FormatIndexArray ArrayOf(const std::vector<Index>& indices) {
  FormatIndexArray array;
  for (Index index : indices) array.Append(1, index);
  return array;
}

std::size_t NaiveStretchEnd(const std::vector<Index>& indices, std::size_t pos, std::size_t limit) {
  if (pos >= limit) return limit;
  std::size_t end = pos;
  while (end < limit && indices[end] == indices[pos]) ++end;
  return end;
}

// Stretches of every length from every start, up to every limit, in byte
// and in widened storage: the word-at-a-time scan must stop exactly where a
// byte-by-byte one does.
TEST(FormatIndexArrayTest, StretchEndAtEveryAlignment) {
  for (const Index other : {Index{1}, Index{0xFF}, Index{0x103}}) {
    for (std::size_t start = 0; start < 12; ++start) {
      for (std::size_t length = 1; length < 30; ++length) {
        // 7s before the stretch, 3s in it, then `other` and more 3s. 0x103
        // widens the storage and shares its low byte with 3.
        std::vector<Index> indices(start, 7);
        indices.insert(indices.end(), length, 3);
        indices.push_back(other);
        indices.insert(indices.end(), 9, 3);
        const FormatIndexArray array = ArrayOf(indices);
        for (std::size_t limit = start; limit <= indices.size(); ++limit) {
          ASSERT_EQ(array.StretchEnd(start, limit), NaiveStretchEnd(indices, start, limit))
              << "start " << start << ", length " << length << ", limit " << limit << ", other "
              << other;
        }
      }
    }
  }
}

// The search for formats not yet met, with few of them left (searched as
// values), with many, and in widened storage, from every start.
TEST(FormatIndexArrayTest, FindUnflaggedStopsAtTheFirstFormatNotMet) {
  for (const std::size_t unflaggedCount : {0u, 1u, 4u, 5u, 40u}) {
    for (const Index wide : {Index{0}, Index{0x103}}) {
      std::vector<Index> indices;
      for (Index i = 0; i < 200; ++i) indices.push_back(i * 7 % 60 == 0 ? i % 50 : 50 + i % 3);
      if (wide != 0) indices.push_back(wide);
      std::vector<std::uint8_t> flagged(wide != 0 ? wide + 1 : 60, 1);
      for (std::size_t k = 0; k < unflaggedCount; ++k) flagged[k * 10 % 50 + k / 5] = 0;
      const FormatIndexArray array = ArrayOf(indices);
      for (std::size_t start = 0; start <= indices.size(); ++start) {
        std::size_t expected = start;
        while (expected < indices.size() && flagged[indices[expected]] != 0) ++expected;
        ASSERT_EQ(array.FindUnflagged(start, indices.size(), flagged), expected)
            << unflaggedCount << " unflagged, start " << start << ", wide " << wide;
      }
    }
  }
}

TEST(FormatIndexArrayTest, TransformChangesEachStretchOnce) {
  const std::vector<Index> indices = {1, 1, 1, 2, 2, 1, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1};
  FormatIndexArray array = ArrayOf(indices);
  std::vector<Index> seen;
  array.Transform(1, 15, [&](Index i) {
    seen.push_back(i);
    return i == 3 ? Index{300} : i + 10;
  });
  EXPECT_EQ(seen, (std::vector<Index>{1, 2, 1, 3}));
  const std::vector<Index> expected = {1,   11,  11,  12,  12,  11,  300, 300,
                                       300, 300, 300, 300, 300, 300, 300, 1};
  ASSERT_EQ(array.Size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(array[i], expected[i]) << i;
}

TEST(FormatIndexArrayTest, LargeAppendsKeepEveryIndex) {
  // Past the 2 MB that gets huge pages, growing as a loader grows it.
  FormatIndexArray array;
  std::size_t size = 0;
  for (Index index = 0; index < 9; ++index) {
    const std::size_t count = (std::size_t{1} << 19) + index;
    array.Append(count, index);
    size += count;
  }
  ASSERT_EQ(array.Size(), size);
  std::size_t pos = 0;
  for (Index index = 0; index < 9; ++index) {
    const std::size_t end = array.StretchEnd(pos, array.Size());
    EXPECT_EQ(end - pos, (std::size_t{1} << 19) + index);
    EXPECT_EQ(array[pos], index);
    pos = end;
  }
  EXPECT_EQ(pos, size);
}

}  // namespace
}  // namespace markwell
