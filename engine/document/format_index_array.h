// One format index per character. Stored a byte per character while the
// document has at most 256 distinct formats (the usual case), and widened to
// 32 bits the first time a larger index is stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scan/equal_run.h"

namespace markwell {

class FormatIndexArray {
 public:
  using Index = std::uint32_t;

  std::size_t Size() const { return wide_ ? wideIndices_.size() : narrowIndices_.size(); }
  Index operator[](std::size_t pos) const {
    return wide_ ? wideIndices_[pos] : narrowIndices_[pos];
  }

  void Reserve(std::size_t count);
  void Append(std::size_t count, Index index);
  void Insert(std::size_t pos, std::size_t count, Index index);
  void Erase(std::size_t begin, std::size_t end);
  void Fill(std::size_t begin, std::size_t end, Index index);
  // Copies [begin, end) of `source`, appending it to this array.
  void AppendRange(const FormatIndexArray& source, std::size_t begin, std::size_t end);

  // The first position in [pos, limit) whose index is not flagged in
  // `flagged` (a flag per index of the format table), or `limit`.
  std::size_t FindUnflagged(std::size_t pos, std::size_t limit,
                            const std::vector<std::uint8_t>& flagged) const;

  // Replaces every index i in [begin, end) by change(i). `change` is called
  // once per stretch of equal indices, not once per character.
  template <typename Change>
  void Transform(std::size_t begin, std::size_t end, Change change) {
    std::size_t pos = begin;
    while (pos < end) {
      const Index old = (*this)[pos];
      const std::size_t stretchEnd = StretchEnd(pos, end);
      const Index replacement = change(old);
      if (replacement != old) Fill(pos, stretchEnd, replacement);
      pos = stretchEnd;
    }
  }

  // The end of the stretch of equal indices that starts at `pos`, at most
  // `limit`. Inline: every run of a document passes through here several times.
  std::size_t StretchEnd(std::size_t pos, std::size_t limit) const {
    if (pos >= limit) return limit;
    if (wide_) return WideStretchEnd(pos, limit);
    return scan::EqualRunEnd(narrowIndices_.data(), pos, limit, narrowIndices_.size());
  }

 private:
  void WidenFor(Index index);
  std::size_t WideStretchEnd(std::size_t pos, std::size_t limit) const;

  bool wide_ = false;
  std::vector<std::uint8_t> narrowIndices_;
  std::vector<std::uint32_t> wideIndices_;
};

}  // namespace markwell
