#include "document_bridge.h"

#include <QSignalBlocker>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

#include "bridge_formats.h"
#include "bridge_reader.h"
#include "bridge_writer.h"
#include "files/document_file.h"
#include "line_blocks.h"
#include "writers/clipboard_content.h"

namespace markwell {

namespace {

// A new engine document holding `snapshot`'s content in `font`.
Document MakeDocument(bridge::Snapshot& snapshot, const BaseFont& font) {
  Document document;
  document.Font() = font;
  document.ReplaceContent(std::move(snapshot.content));
  return document;
}

// The same, with the widget's selection `cursor` as its selection.
Document MakeSelectedDocument(bridge::Snapshot& snapshot, const BaseFont& font,
                              const QTextCursor& cursor) {
  const int start = snapshot.positions.ToEngine(cursor.selectionStart());
  const int end = snapshot.positions.ToEngine(cursor.selectionEnd());
  Document document = MakeDocument(snapshot, font);
  document.SetSelStart(start);
  document.SetSelLength(end - start);
  return document;
}

void Select(QPlainTextEdit& editor, const bridge::PositionMap& positions,
            const Document& document) {
  QTextCursor cursor(editor.document());
  cursor.setPosition(positions.ToQt(document.SelStart()));
  cursor.setPosition(positions.ToQt(document.SelStart() + document.SelLength()),
                     QTextCursor::KeepAnchor);
  editor.setTextCursor(cursor);
}

}  // namespace

DocumentBridge::DocumentBridge(QPlainTextEdit& editor) : editor_(editor) {
  editor_.setFont(bridge::ToQFont(font_));
}

void DocumentBridge::SetFont(const BaseFont& font) {
  QTextDocument& qtDocument = *editor_.document();
  bridge::Snapshot wanted = bridge::ReadDocument(qtDocument);
  editor_.setFont(bridge::ToQFont(font));
  font_ = font;
  const bridge::Snapshot now = bridge::ReadDocument(qtDocument);

  // Express what the text shows now in the table of what it showed before.
  FormatTable& table = wanted.content.Table();
  std::vector<FormatTable::Index> inWantedTable(now.content.Table().Size());
  for (std::size_t i = 0; i < inWantedTable.size(); ++i) {
    inWantedTable[i] = table.Intern(now.content.Table().Get(static_cast<FormatTable::Index>(i)));
  }
  FormatIndexArray current;
  const FormatIndexArray& nowIndices = now.content.Indices();
  std::size_t pos = 0;
  while (pos < nowIndices.Size()) {
    const std::size_t end = nowIndices.StretchEnd(pos, nowIndices.Size());
    current.Append(end - pos, inWantedTable[nowIndices[pos]]);
    pos = end;
  }
  const QSignalBlocker quiet(&editor_);
  bridge::WriteChangedFormats(qtDocument, now, current, wanted.content);
  TypeInBaseFontWhenEmpty();
}

CharFormat DocumentBridge::SelectionFormat() const {
  const QTextCursor cursor = editor_.textCursor();
  if (cursor.hasSelection()) {
    const int first = cursor.selectionStart();
    const bridge::Snapshot snapshot = bridge::ReadDocument(*editor_.document(), first, first + 1);
    if (!snapshot.content.Empty()) return snapshot.content.FormatAt(0);
  }
  return bridge::ToCharFormat(editor_.currentCharFormat(), editor_.document()->defaultFont());
}

void DocumentBridge::SetSelectionStyle(FontStyles style) {
  editor_.mergeCurrentCharFormat(bridge::StyleFormat(style));
}

void DocumentBridge::SetSelectionName(const std::string& name) {
  editor_.mergeCurrentCharFormat(bridge::NameFormat(name));
}

void DocumentBridge::SetSelectionSize(int points) {
  editor_.mergeCurrentCharFormat(bridge::SizeFormat(points));
}

DocumentBridge::EditOutcome DocumentBridge::Edit(const std::function<void(Document&)>& change) {
  QTextDocument& qtDocument = *editor_.document();
  bridge::Snapshot snapshot = bridge::ReadDocument(qtDocument);
  const std::u16string text = snapshot.content.Text();
  Document document = MakeSelectedDocument(snapshot, font_, editor_.textCursor());
  const FormatIndexArray before = document.Content().Indices();

  EditOutcome outcome;
  document.SetSelectionChangeHandler([&outcome, &document] {
    outcome.selectionChanged = true;
    outcome.selectionFormat = document.SelectionFormat();
  });
  try {
    change(document);
  } catch (...) {
    outcome.error = std::current_exception();
  }
  document.SetSelectionChangeHandler(nullptr);

  const QSignalBlocker quiet(&editor_);
  if (document.Text() == text) {
    bridge::WriteChangedFormats(qtDocument, snapshot, before, document.Content());
    Select(editor_, snapshot.positions, document);
  } else {
    ShowContent(document.Content());
    Select(editor_, bridge::ReadDocument(qtDocument).positions, document);
  }
  // A format written at an insertion point is what the next typed text takes.
  if (document.SelLength() == 0 && !(document.SelectionFormat() == SelectionFormat())) {
    editor_.setCurrentCharFormat(
        bridge::ToQtFormat(document.SelectionFormat(), editor_.currentCharFormat()));
  }
  return outcome;
}

Document DocumentBridge::ToDocument() const {
  bridge::Snapshot snapshot = bridge::ReadDocument(*editor_.document());
  return MakeSelectedDocument(snapshot, font_, editor_.textCursor());
}

void DocumentBridge::Load(const std::string& fileName) {
  Document document;
  document.Font() = font_;
  LoadFromFile(document, fileName);
  Show(document);
}

void DocumentBridge::Save(const std::string& fileName) const {
  SaveToFile(ToDocument(), fileName);
}

void DocumentBridge::Clear() {
  const QSignalBlocker quiet(&editor_);
  ShowContent(DocumentContent());
  TypeInBaseFontWhenEmpty();
}

void DocumentBridge::Show(const Document& document) {
  const QSignalBlocker quiet(&editor_);
  ShowContent(document.Content());
  TypeInBaseFontWhenEmpty();
}

void DocumentBridge::ShowContent(const DocumentContent& content) {
  QTextDocument& qtDocument = *editor_.document();
  // Emptying and filling in one edit block is one change of the whole
  // document, and one step of the widget's undo, which brings the old
  // document back.
  QTextCursor edit(&qtDocument);
  edit.beginEditBlock();
  edit.select(QTextCursor::Document);
  edit.removeSelectedText();
  edit.setBlockFormat(QTextBlockFormat());
  edit.setBlockCharFormat(QTextCharFormat());
  bridge::InsertContent(edit, content);
  edit.endEditBlock();
  // The caret goes to the start once the widget has seen the new text.
  editor_.setTextCursor(QTextCursor(&qtDocument));
}

void DocumentBridge::TypeInBaseFontWhenEmpty() {
  if (!editor_.document()->isEmpty()) return;
  editor_.setCurrentCharFormat(bridge::ToQtFormat(font_.AsCharFormat()));
}

Document DocumentBridge::SelectionDocument() const {
  const QTextCursor cursor = editor_.textCursor();
  bridge::Snapshot snapshot =
      bridge::ReadDocument(*editor_.document(), cursor.selectionStart(), cursor.selectionEnd());
  Document document = MakeDocument(snapshot, font_);
  document.SelectAll();
  return document;
}

std::string DocumentBridge::SelectionAsRtf() const {
  return markwell::SelectionAsRtf(SelectionDocument());
}

bool DocumentBridge::PasteRtf(std::string_view rtf) {
  Document piece;
  piece.Font() = font_;
  if (!InsertRtf(piece, rtf)) return false;
  ReplaceSelection(piece.Content());
  return true;
}

void DocumentBridge::PasteText(std::u16string_view text) {
  // A join's mark stays with the join: the pasted text has real breaks.
  const QTextCharFormat atCaret = blocks::WithoutJoin(editor_.textCursor().charFormat());
  DocumentContent content;
  content.Append(text, bridge::ToCharFormat(atCaret, editor_.document()->defaultFont()));
  ReplaceSelection(content);
}

void DocumentBridge::ReplaceSelection(const DocumentContent& content) {
  const QSignalBlocker quiet(&editor_);
  QTextCursor cursor = editor_.textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  bridge::InsertContent(cursor, content);
  cursor.endEditBlock();
  editor_.setTextCursor(cursor);
}

}  // namespace markwell
