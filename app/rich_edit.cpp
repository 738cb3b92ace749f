#include "rich_edit.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace markwell {

const QStringList& RtfMimeTypes() {
  // The last is the name Qt gives the Windows clipboard's RTF.
  static const QStringList types = {
      QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
      QStringLiteral("text/richtext"),
      QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\"")};
  return types;
}

RichEdit::RichEdit(QWidget* parent) : QTextEdit(parent) {}

void RichEdit::SetClipboardHandlers(MakeMimeData make, InsertMimeData insert) {
  make_ = std::move(make);
  insert_ = std::move(insert);
}

void RichEdit::SetFileDropHandler(OpenDroppedFile open) {
  openDropped_ = std::move(open);
}

QString RichEdit::DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

void RichEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (openDropped_ && !DroppedFile(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
    return;
  }
  QTextEdit::dragEnterEvent(event);
}

void RichEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (openDropped_ && !DroppedFile(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
    return;
  }
  QTextEdit::dragMoveEvent(event);
}

void RichEdit::dropEvent(QDropEvent* event) {
  const QString file = openDropped_ ? DroppedFile(event->mimeData()) : QString();
  if (file.isEmpty()) {
    QTextEdit::dropEvent(event);
    return;
  }
  event->acceptProposedAction();
  openDropped_(file);
}

QMimeData* RichEdit::createMimeDataFromSelection() const {
  if (!make_) return QTextEdit::createMimeDataFromSelection();
  // The caller takes the data over.
  return make_().release();
}

bool RichEdit::canInsertFromMimeData(const QMimeData* source) const {
  for (const QString& type : RtfMimeTypes()) {
    if (source->hasFormat(type)) return true;
  }
  return QTextEdit::canInsertFromMimeData(source);
}

void RichEdit::insertFromMimeData(const QMimeData* source) {
  if (insert_) {
    insert_(*source);
  } else {
    QTextEdit::insertFromMimeData(source);
  }
}

}  // namespace markwell
