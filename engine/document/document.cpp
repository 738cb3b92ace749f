#include "document/document.h"

#include <algorithm>
#include <cstdint>

#include "document/line_breaks.h"

namespace markwell {

Document::Document() = default;

void Document::SelectAll() {
  SetSelection(0, Length());
}

void Document::SetText(std::u16string_view text) {
  ReplaceContent(DocumentContent::FromText(NormaliseLineBreaks(text), font_.AsCharFormat()));
}

void Document::ReplaceContent(DocumentContent content) {
  content_ = std::move(content);
  insertionFormat_.reset();
  const bool moved = selStart_ != 0 || selLength_ != 0;
  selStart_ = 0;
  selLength_ = 0;
  if (moved && onSelectionChange_) onSelectionChange_();
}

Document::Index Document::SelectionFormatIndex() const {
  if (selLength_ > 0) return content_.IndexAt(selStart_);
  if (insertionFormat_) return *insertionFormat_;
  if (selStart_ > 0) return content_.IndexAt(selStart_ - 1);
  if (Length() > 0) return content_.IndexAt(0);
  // An empty document types in the base font.
  return const_cast<FormatTable&>(content_.Table()).Intern(font_.AsCharFormat());
}

const CharFormat& Document::SelectionFormat() const {
  return content_.Table().Get(SelectionFormatIndex());
}

template <typename Change>
void Document::ChangeFormat(Change change) {
  if (selLength_ == 0) {
    const Index current = SelectionFormatIndex();
    insertionFormat_ = change(current);
    return;
  }
  const auto begin = static_cast<std::size_t>(selStart_);
  content_.Indices().Transform(begin, begin + static_cast<std::size_t>(selLength_), change);
}

void Document::SetSelText(std::u16string_view text) {
  DocumentContent piece;
  piece.Append(NormaliseLineBreaks(text), SelectionFormat());
  ReplaceSelection(piece);
}

void Document::ReplaceSelection(const DocumentContent& piece) {
  content_.Splice(selStart_, selStart_ + selLength_, piece);
  insertionFormat_.reset();
  const int caret = selStart_ + piece.Length();
  // The text changed under the selection: report the new caret even when
  // its numbers happen to equal the old selection's.
  selLength_ = -1;
  SetSelection(caret, 0);
}

FontStyles TextAttributes::Style() const {
  return document_.SelectionFormat().style;
}
TextColor TextAttributes::Color() const {
  return document_.SelectionFormat().color;
}
std::string TextAttributes::Name() const {
  return document_.SelectionFormat().fontName;
}
int TextAttributes::Size() const {
  return document_.SelectionFormat().size;
}

void TextAttributes::SetStyle(FontStyles style) {
  FormatTable& table = document_.content_.Table();
  document_.ChangeFormat([&](FormatTable::Index i) { return table.WithStyle(i, style); });
}

void TextAttributes::SetColor(TextColor color) {
  const TextColor normalised = NormaliseColor(color);
  FormatTable& table = document_.content_.Table();
  document_.ChangeFormat([&](FormatTable::Index i) { return table.WithColor(i, normalised); });
}

void TextAttributes::SetName(std::string_view name) {
  FormatTable& table = document_.content_.Table();
  document_.ChangeFormat([&](FormatTable::Index i) { return table.WithName(i, name); });
}

void TextAttributes::SetSize(int points) {
  FormatTable& table = document_.content_.Table();
  document_.ChangeFormat([&](FormatTable::Index i) { return table.WithSize(i, points); });
}

void TextAttributes::SetHeight(int height) {
  SetSize(MulDivRound(height, 72, kPixelsPerInch));
}

}  // namespace markwell
