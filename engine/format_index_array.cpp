#include "format_index_array.h"

#include <algorithm>
#include <cstring>

#include "huge_pages.h"

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

std::size_t FormatIndexArray::WideStretchEnd(std::size_t pos, std::size_t limit) const {
  const Index value = wideIndices_[pos];
  while (pos < limit && wideIndices_[pos] == value) ++pos;
  return pos;
}

}  // namespace markwell
