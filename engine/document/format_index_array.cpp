#include "document/format_index_array.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "document/huge_pages.h"
#include "scan/byte_search.h"

namespace markwell {

void FormatIndexArray::WidenFor(Index index) {
  if (wide_ || index <= 0xFF) return;
  wideIndices_.assign(narrowIndices_.begin(), narrowIndices_.end());
  narrowIndices_.clear();
  narrowIndices_.shrink_to_fit();
  wide_ = true;
}

void FormatIndexArray::Reserve(std::size_t count) {
  if (wide_) {
    if (count <= wideIndices_.capacity()) return;
    wideIndices_.reserve(count);
    AdviseHugePages(wideIndices_.data(), wideIndices_.capacity() * sizeof(Index));
  } else {
    if (count <= narrowIndices_.capacity()) return;
    narrowIndices_.reserve(count);
    AdviseHugePages(narrowIndices_.data(), narrowIndices_.capacity());
  }
}

void FormatIndexArray::Append(std::size_t count, Index index) {
  WidenFor(index);
  // Grows as the vector would, but through Reserve, so that a large array
  // gets huge pages.
  const std::size_t needed = Size() + count;
  const std::size_t capacity = wide_ ? wideIndices_.capacity() : narrowIndices_.capacity();
  if (needed > capacity) Reserve(std::max(needed, 2 * capacity));
  if (wide_) {
    wideIndices_.insert(wideIndices_.end(), count, index);
  } else {
    narrowIndices_.insert(narrowIndices_.end(), count, static_cast<std::uint8_t>(index));
  }
}

void FormatIndexArray::Insert(std::size_t pos, std::size_t count, Index index) {
  WidenFor(index);
  if (wide_) {
    wideIndices_.insert(wideIndices_.begin() + static_cast<std::ptrdiff_t>(pos), count, index);
  } else {
    narrowIndices_.insert(narrowIndices_.begin() + static_cast<std::ptrdiff_t>(pos), count,
                          static_cast<std::uint8_t>(index));
  }
}

void FormatIndexArray::Erase(std::size_t begin, std::size_t end) {
  if (wide_) {
    wideIndices_.erase(wideIndices_.begin() + static_cast<std::ptrdiff_t>(begin),
                       wideIndices_.begin() + static_cast<std::ptrdiff_t>(end));
  } else {
    narrowIndices_.erase(narrowIndices_.begin() + static_cast<std::ptrdiff_t>(begin),
                         narrowIndices_.begin() + static_cast<std::ptrdiff_t>(end));
  }
}

void FormatIndexArray::Fill(std::size_t begin, std::size_t end, Index index) {
  WidenFor(index);
  if (wide_) {
    std::fill(wideIndices_.begin() + static_cast<std::ptrdiff_t>(begin),
              wideIndices_.begin() + static_cast<std::ptrdiff_t>(end), index);
  } else if (end > begin) {
    std::memset(narrowIndices_.data() + begin, static_cast<int>(index), end - begin);
  }
}

void FormatIndexArray::AppendRange(const FormatIndexArray& source, std::size_t begin,
                                   std::size_t end) {
  for (std::size_t pos = begin; pos < end;) {
    const std::size_t stretchEnd = source.StretchEnd(pos, end);
    Append(stretchEnd - pos, source[pos]);
    pos = stretchEnd;
  }
}

std::size_t FormatIndexArray::FindUnflagged(std::size_t pos, std::size_t limit,
                                            const std::vector<std::uint8_t>& flagged) const {
  if (wide_) {
    while (pos < limit && flagged[wideIndices_[pos]] != 0) ++pos;
    return pos;
  }
  const std::uint8_t* data = narrowIndices_.data();
  // Only the formats of the table can be stored. When few of them are not
  // flagged, the search is for those few values.
  scan::SoughtBytes sought;
  bool few = true;
  const std::size_t formats = std::min<std::size_t>(flagged.size(), 256);
  for (std::size_t index = 0; index < formats; ++index) {
    if (flagged[index] != 0) continue;
    if (sought.count == scan::kMaxSoughtBytes) {
      few = false;
      break;
    }
    sought.values[sought.count++] = static_cast<std::uint8_t>(index);
  }
  if (few) return scan::FindByteOf(data, pos, limit, sought);
  // Every byte value can be looked up; a value the table lacks is never stored.
  std::array<std::uint8_t, 256> flags{};
  std::copy_n(flagged.begin(), formats, flags.begin());
  // Eight at a time without a branch per index.
  while (pos < limit && limit - pos >= 8) {
    const std::uint8_t* d = data + pos;
    if ((flags[d[0]] & flags[d[1]] & flags[d[2]] & flags[d[3]] & flags[d[4]] & flags[d[5]] &
         flags[d[6]] & flags[d[7]]) == 0) {
      break;
    }
    pos += 8;
  }
  while (pos < limit && flags[data[pos]] != 0) ++pos;
  return pos;
}

std::size_t FormatIndexArray::WideStretchEnd(std::size_t pos, std::size_t limit) const {
  const Index value = wideIndices_[pos];
  while (pos < limit && wideIndices_[pos] == value) ++pos;
  return pos;
}

}  // namespace markwell
