// The document of the editor as a model of its rich text surface: text with a
// format per character, a selection, the base font and a selection-change
// callback. Every rule of the surface that the filters, the files and the
// editor rely on lives here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "document/base_font.h"
#include "document/char_format.h"
#include "document/document_content.h"

namespace markwell {

class Document;

// The format of the selection (the surface's SelAttributes). Writes apply to
// the selected characters; with an empty selection they set the format of
// text typed next at the insertion point, which reads then report.
class TextAttributes {
 public:
  explicit TextAttributes(Document& document) : document_(document) {}

  // A read on a selection reports the format of its first character: what a
  // mixed selection reports is not otherwise defined, and the first character
  // is what the editor's controls show.
  FontStyles Style() const;
  TextColor Color() const;
  std::string Name() const;
  int Size() const;

  void SetStyle(FontStyles style);
  // The window-text colour selects automatic colour; any other value is
  // converted to its RGB value.
  void SetColor(TextColor color);
  void SetName(std::string_view name);
  void SetSize(int points);
  // The size from a pixel height at 96 pixels per inch, rounded to nearest.
  void SetHeight(int height);

 private:
  Document& document_;
};

class Document {
 public:
  // A loaded document holds at most this many characters.
  static constexpr int kMaxLength = 2147483632;

  Document();

  const std::u16string& Text() const { return content_.Text(); }
  int Length() const { return content_.Length(); }
  // Replaces the whole document; the new text takes the base font and the
  // selection goes to the start. Line breaks become CR LF.
  void SetText(std::u16string_view text);

  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  // Collapses the selection to an insertion point; clamped to [0, Length()].
  void SetSelStart(int start) { SetSelection(start < 0 ? 0 : std::min(start, Length()), 0); }
  // Keeps the start and sets the end to start + length, clamped to the text;
  // a negative length gives an empty selection.
  void SetSelLength(int length) {
    const std::int64_t end =
        std::clamp<std::int64_t>(std::int64_t{selStart_} + length, selStart_, Length());
    SetSelection(selStart_, static_cast<int>(end) - selStart_);
  }
  std::u16string SelText() const {
    return content_.Text().substr(static_cast<std::size_t>(selStart_),
                                  static_cast<std::size_t>(selLength_));
  }
  // Replaces the selection (an empty string deletes it); the new text takes
  // the format at the selection and the caret goes behind it.
  void SetSelText(std::u16string_view text);
  void SelectAll();

  TextAttributes SelAttributes() { return TextAttributes(*this); }
  BaseFont& Font() { return font_; }
  const BaseFont& Font() const { return font_; }

  // Called after every change of the selection (start or length).
  void SetSelectionChangeHandler(std::function<void()> handler) {
    onSelectionChange_ = std::move(handler);
  }

  const DocumentContent& Content() const { return content_; }
  // Replaces the whole document by loaded content; the selection goes to the start.
  void ReplaceContent(DocumentContent content);
  // Replaces the selection by formatted content (a paste); the caret goes behind it.
  void ReplaceSelection(const DocumentContent& piece);

  // The format that a read of SelAttributes reports and that text typed at
  // the selection takes.
  const CharFormat& SelectionFormat() const;

 private:
  friend class TextAttributes;
  friend class BulkFormatWrites;
  friend class RunShortcuts;
  using Index = FormatTable::Index;

  // The filters write the selection at every word: inline, and the
  // callback only on a change.
  void SetSelection(int start, int length) {
    if (start == selStart_ && length == selLength_) return;
    selStart_ = start;
    selLength_ = length;
    insertionFormat_.reset();
    if (onSelectionChange_) onSelectionChange_();
  }
  Index SelectionFormatIndex() const;
  // Applies change(index) -> index to the selected characters, or to the
  // insertion format when the selection is empty.
  template <typename Change>
  void ChangeFormat(Change change);

  DocumentContent content_;
  int selStart_ = 0;
  int selLength_ = 0;
  // Set by a format write on an empty selection; forgotten when the selection moves.
  std::optional<Index> insertionFormat_;
  BaseFont font_;
  std::function<void()> onSelectionChange_;
};

}  // namespace markwell
