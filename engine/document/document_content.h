// A document's text and the format of each of its characters, without a
// selection: what the file readers build and the writers write.
#pragma once

#include <string>
#include <string_view>

#include "document/char_format.h"
#include "document/format_index_array.h"
#include "document/format_table.h"

namespace markwell {

class DocumentContent {
 public:
  using Index = FormatTable::Index;

  // Positions count UTF-16 units: CR and LF are one each, a character
  // outside the Basic Multilingual Plane two.
  const std::u16string& Text() const { return text_; }
  int Length() const { return static_cast<int>(text_.size()); }
  bool Empty() const { return text_.empty(); }

  const CharFormat& FormatAt(int pos) const {
    return table_.Get(indices_[static_cast<std::size_t>(pos)]);
  }
  Index IndexAt(int pos) const { return indices_[static_cast<std::size_t>(pos)]; }
  const FormatTable& Table() const { return table_; }
  FormatTable& Table() { return table_; }
  const FormatIndexArray& Indices() const { return indices_; }
  FormatIndexArray& Indices() { return indices_; }

  // Content of one format throughout, taking the text over without a copy.
  static DocumentContent FromText(std::u16string text, const CharFormat& format);

  // Appends text in one format; the text is taken as it is (line breaks
  // are the caller's business).
  void Append(std::u16string_view text, const CharFormat& format);
  void Append(char16_t c, const CharFormat& format);
  void Append(std::u16string_view text, Index index);
  void Reserve(std::size_t count);

  // Calls visit(start, length, format) for each maximal run of equal format
  // in [begin, end).
  template <typename Visit>
  void ForEachRun(int begin, int end, Visit visit) const {
    auto pos = static_cast<std::size_t>(begin);
    const auto limit = static_cast<std::size_t>(end);
    while (pos < limit) {
      std::size_t runEnd = indices_.StretchEnd(pos, limit);
      const CharFormat& format = table_.Get(indices_[pos]);
      // Different indices always hold different formats, so a stretch of one
      // index is a maximal run.
      visit(static_cast<int>(pos), static_cast<int>(runEnd - pos), format);
      pos = runEnd;
    }
  }

  // A copy of [begin, end) with its formats.
  DocumentContent Slice(int begin, int end) const;
  // Replaces [begin, end) by `piece`, formats included.
  void Splice(int begin, int end, const DocumentContent& piece);

 private:
  Index Lookup(const CharFormat& format);

  std::u16string text_;
  FormatTable table_;
  FormatIndexArray indices_;
  // The last format appended: loaders append many pieces in one format.
  CharFormat lastFormat_;
  Index lastIndex_ = 0;
  bool hasLast_ = false;
};

}  // namespace markwell
