// Copy, cut and paste: always on REdit, wherever the focus is. RTF goes on
// the clipboard beside what the widget offers itself (HTML and text); paste
// takes RTF first, then HTML, then text.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <memory>

#include "tform1.h"

namespace markwell {

namespace {

// The names RTF goes by, the preferred first; the last is the Windows one.
const char* const kRtfFormats[] = {"text/rtf", "application/rtf", "text/richtext",
                                   "application/x-qt-windows-mime;value=\"Rich Text Format\""};

}  // namespace

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
  const QTextCursor cursor = REdit->textCursor();
  if (!cursor.hasSelection()) return;
  auto data = std::make_unique<QMimeData>();
  const QByteArray rtf = QByteArray::fromStdString(bridge_.SelectionAsRtf());
  for (const char* format : kRtfFormats) data->setData(QLatin1String(format), rtf);
  const QTextDocumentFragment fragment = cursor.selection();
  data->setHtml(fragment.toHtml());
  data->setText(fragment.toPlainText());
  QApplication::clipboard()->setMimeData(data.release());
}

void TForm1::Paste(const QMimeData& data) {
  for (const char* format : kRtfFormats) {
    const QString name = QLatin1String(format);
    if (!data.hasFormat(name)) continue;
    const QByteArray rtf = data.data(name);
    if (bridge_.PasteRtf(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())))) {
      SelectionMaybeChanged();
      return;
    }
  }
  QTextCursor cursor = REdit->textCursor();
  if (data.hasHtml()) {
    cursor.insertFragment(QTextDocumentFragment::fromHtml(data.html(), REdit->document()));
  } else if (data.hasText()) {
    cursor.insertText(data.text());
  } else {
    return;
  }
  REdit->setTextCursor(cursor);
}

}  // namespace markwell
