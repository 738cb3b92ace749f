#include "format_index_array.h"

#include <algorithm>
#include <cstring>

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
    wideIndices_.reserve(count);
  } else {
    narrowIndices_.reserve(count);
  }
}

void FormatIndexArray::Append(std::size_t count, Index index) {
  WidenFor(index);
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

std::size_t FormatIndexArray::StretchEnd(std::size_t pos, std::size_t limit) const {
  if (pos >= limit) return limit;
  if (wide_) {
    const Index value = wideIndices_[pos];
    while (pos < limit && wideIndices_[pos] == value) ++pos;
    return pos;
  }
  const std::uint8_t value = narrowIndices_[pos];
  const std::uint8_t* data = narrowIndices_.data();
  while (pos < limit && data[pos] == value) ++pos;
  return pos;
}

}  // namespace markwell
