#include "document/bulk_format_writes.h"

#include <limits>
#include <vector>

namespace markwell {

void BulkFormatWrites::SetStyleThenColor(Document& document, FontStyles style, TextColor color) {
  TextAttributes attributes = document.SelAttributes();
  if (document.selLength_ > 0) {
    FormatIndexArray& indices = document.content_.Indices();
    const auto begin = static_cast<std::size_t>(document.selStart_);
    const auto end = begin + static_cast<std::size_t>(document.selLength_);
    if (indices.StretchEnd(begin, end) == end) {
      // A selection of one format (a token, as a run marks it): the two
      // writes would ask the table the same two questions in turn.
      FormatTable& table = document.content_.Table();
      const FormatTable::Index old = indices[begin];
      const FormatTable::Index changed = table.WithStyleThenColor(old, style, color);
      if (changed != old) indices.Fill(begin, end, changed);
      return;
    }
  }
  attributes.SetStyle(style);
  attributes.SetColor(color);
}

void BulkFormatWrites::SetStyleHeightSizeColor(Document& document, FontStyles style, int height,
                                               int points, TextColor color) {
  TextAttributes attributes = document.SelAttributes();
  if (document.selLength_ == 0) {
    // The insertion format: four cheap writes.
    attributes.SetStyle(style);
    attributes.SetHeight(height);
    attributes.SetSize(points);
    attributes.SetColor(color);
    return;
  }
  using Index = FormatTable::Index;
  FormatTable& table = document.content_.Table();
  FormatIndexArray& indices = document.content_.Indices();
  const auto begin = static_cast<std::size_t>(document.selStart_);
  const auto end = begin + static_cast<std::size_t>(document.selLength_);

  // Four passes would derive formats from the distinct indices of the
  // selection in the order in which they first appear; deriving them in
  // that order here adds the same formats to the table in the same order.
  constexpr Index kUnseen = std::numeric_limits<Index>::max();
  std::vector<Index> finalIndex(table.Size(), kUnseen);
  std::vector<Index> distinct;
  for (std::size_t pos = begin; pos < end; pos = indices.StretchEnd(pos, end)) {
    const Index index = indices[pos];
    if (finalIndex[index] == kUnseen) {
      finalIndex[index] = index;
      distinct.push_back(index);
    }
  }
  std::vector<Index> derived = distinct;
  for (Index& i : derived) i = table.WithStyle(i, style);
  const int heightPoints = MulDivRound(height, 72, kPixelsPerInch);
  for (Index& i : derived) i = table.WithSize(i, heightPoints);
  for (Index& i : derived) i = table.WithSize(i, points);
  const TextColor normalised = NormaliseColor(color);
  for (Index& i : derived) i = table.WithColor(i, normalised);
  for (std::size_t k = 0; k < distinct.size(); ++k) finalIndex[distinct[k]] = derived[k];
  indices.Transform(begin, end, [&](Index i) { return finalIndex[i]; });
}

}  // namespace markwell
