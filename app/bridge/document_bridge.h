// The one place where the editor's text widget and the engine meet. The
// widget keeps the document the user types into; for a run, a reset, a save,
// an open or the clipboard the bridge takes it into an engine Document (text
// with CR LF line breaks, formats, selection, base font), lets the engine do
// the work, and writes the result back in one edit.
#pragma once

#include <QPlainTextEdit>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "document/base_font.h"
#include "document/char_format.h"
#include "document/document.h"

namespace markwell {

class DocumentBridge {
 public:
  explicit DocumentBridge(QPlainTextEdit& editor);

  // The base font (the surface's Font): the widget's font, the format of
  // text typed into an empty document, and what the resets copy.
  const BaseFont& Font() const { return font_; }
  // Text that takes its look from the old base font gets that look as its
  // own format first, so that it does not change with the base font.
  void SetFont(const BaseFont& font);

  // The surface's SelAttributes on the widget. A selection reports its first
  // character; an insertion point the format the next typed text takes.
  CharFormat SelectionFormat() const;
  void SetSelectionStyle(FontStyles style);
  void SetSelectionName(const std::string& name);
  void SetSelectionSize(int points);

  struct EditOutcome {
    // The selection moved during the edit; selectionFormat is what its last
    // move found (what the formatting controls read then).
    bool selectionChanged = false;
    CharFormat selectionFormat;
    // An error of the edit, raised only after what it did has been written.
    std::exception_ptr error;
  };
  // Runs `change` on the widget's document as an engine Document; it may
  // change formats and the selection, not the text. The changed format runs
  // are written back in one edit block (one undo step), then the selection
  // is set once. The widget's signals are quiet meanwhile.
  EditOutcome Edit(const std::function<void(Document&)>& change);

  // The whole document with its selection and the base font.
  Document ToDocument() const;

  // Replaces the document by a file (RTF, else plain text); on an error the
  // widget keeps what it had. The caret goes to the start.
  void Load(const std::string& fileName);
  void Save(const std::string& fileName) const;
  // Empties the document; text typed next takes the base font.
  void Clear();
  // Replaces the whole document by `document`'s content (caret at the start).
  void Show(const Document& document);

  // The selection on its own, all of it selected, for the clipboard.
  Document SelectionDocument() const;
  // The selection as RTF, for the clipboard.
  std::string SelectionAsRtf() const;
  // Replaces the selection by an RTF document; false, with nothing changed,
  // when `rtf` is not RTF.
  bool PasteRtf(std::string_view rtf);
  // Replaces the selection by plain text in the format at the caret; its
  // line breaks and long lines take blocks as an opened file's do.
  void PasteText(std::u16string_view text);

 private:
  void ShowContent(const DocumentContent& content);
  void ReplaceSelection(const DocumentContent& content);
  void TypeInBaseFontWhenEmpty();

  QPlainTextEdit& editor_;
  BaseFont font_;
};

}  // namespace markwell
