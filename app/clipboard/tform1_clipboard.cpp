// Copy, cut and paste: always on REdit, wherever the focus is. The copy
// offers RTF, HTML and text, each made by the engine when it is asked for;
// paste takes RTF first, then HTML, then text.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <memory>

#include "copied_selection.h"
#include "mime_types.h"
#include "rich_edit.h"
#include "tform1.h"

namespace markwell {

void TForm1::mnuVlozitdoschrClick() {
  CopySelection();
}

void TForm1::mnuCutClick() {
  CopySelection();
  QTextCursor cursor = REdit->textCursor();
  cursor.removeSelectedText();
  REdit->setTextCursor(cursor);
}

void TForm1::mnuPasteClick() {
  if (const QMimeData* data = QApplication::clipboard()->mimeData()) Paste(*data);
  REdit->setFocus();
}

void TForm1::CopySelection() {
  if (!REdit->textCursor().hasSelection()) return;
  QApplication::clipboard()->setMimeData(SelectionMimeData().release());
}

std::unique_ptr<QMimeData> TForm1::SelectionMimeData() {
  return std::make_unique<CopiedSelection>(bridge_.SelectionDocument());
}

void TForm1::Paste(const QMimeData& data) {
  for (const QString& type : RtfMimeTypes()) {
    if (!data.hasFormat(type)) continue;
    const QByteArray rtf = data.data(type);
    if (bridge_.PasteRtf(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())))) {
      SelectionMaybeChanged();
      return;
    }
  }
  if (data.hasHtml()) {
    QTextCursor cursor = REdit->textCursor();
    cursor.insertFragment(QTextDocumentFragment::fromHtml(data.html(), REdit->document()));
    REdit->setTextCursor(cursor);
  } else if (data.hasText()) {
    bridge_.PasteText(data.text().toStdU16String());
    SelectionMaybeChanged();
  }
}

}  // namespace markwell
