#include "document/document_content.h"

#include "document/huge_pages.h"

namespace markwell {

DocumentContent::Index DocumentContent::Lookup(const CharFormat& format) {
  if (!hasLast_ || !(format == lastFormat_)) {
    lastIndex_ = table_.Intern(format);
    lastFormat_ = format;
    hasLast_ = true;
  }
  return lastIndex_;
}

DocumentContent DocumentContent::FromText(std::u16string text, const CharFormat& format) {
  DocumentContent content;
  const Index index = content.Lookup(format);
  content.indices_.Append(text.size(), index);
  content.text_ = std::move(text);
  return content;
}

void DocumentContent::Append(std::u16string_view text, const CharFormat& format) {
  if (text.empty()) return;
  Append(text, Lookup(format));
}

void DocumentContent::Append(char16_t c, const CharFormat& format) {
  Append(std::u16string_view(&c, 1), Lookup(format));
}

void DocumentContent::Append(std::u16string_view text, Index index) {
  text_.append(text);
  indices_.Append(text.size(), index);
}

void DocumentContent::Reserve(std::size_t count) {
  if (count > text_.capacity()) {
    text_.reserve(count);
    AdviseHugePages(text_.data(), text_.capacity() * sizeof(char16_t));
  }
  indices_.Reserve(count);
}

DocumentContent DocumentContent::Slice(int begin, int end) const {
  DocumentContent slice;
  ForEachRun(begin, end, [&](int start, int length, const CharFormat& format) {
    slice.Append(std::u16string_view(text_).substr(static_cast<std::size_t>(start),
                                                   static_cast<std::size_t>(length)),
                 format);
  });
  return slice;
}

void DocumentContent::Splice(int begin, int end, const DocumentContent& piece) {
  const auto from = static_cast<std::size_t>(begin);
  const auto to = static_cast<std::size_t>(end);
  text_.replace(from, to - from, piece.text_);

  FormatIndexArray indices;
  indices.Reserve(text_.size());
  indices.AppendRange(indices_, 0, from);
  piece.ForEachRun(0, piece.Length(), [&](int, int length, const CharFormat& format) {
    indices.Append(static_cast<std::size_t>(length), table_.Intern(format));
  });
  indices.AppendRange(indices_, to, indices_.Size());
  indices_ = std::move(indices);
}

}  // namespace markwell
