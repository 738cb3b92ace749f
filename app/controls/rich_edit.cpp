#include "rich_edit.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include "joined_lines.h"
#include "mime_types.h"

namespace markwell {

RichEdit::RichEdit(QWidget* parent) : QPlainTextEdit(parent) {}

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
  QPlainTextEdit::dragEnterEvent(event);
}

void RichEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (openDropped_ && !DroppedFile(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
    return;
  }
  QPlainTextEdit::dragMoveEvent(event);
}

void RichEdit::dropEvent(QDropEvent* event) {
  const QString file = openDropped_ ? DroppedFile(event->mimeData()) : QString();
  if (file.isEmpty()) {
    QPlainTextEdit::dropEvent(event);
    return;
  }
  event->acceptProposedAction();
  openDropped_(file);
}

void RichEdit::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  QTextCursor cursor = textCursor();
  if (plain && !cursor.hasSelection() &&
      (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
    bridge::StepOverJoin(cursor, event->key() == Qt::Key_Delete, QTextCursor::MoveAnchor);
    if (cursor.position() != textCursor().position()) setTextCursor(cursor);
  } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    const QTextCharFormat format = currentCharFormat();
    if (bridge::IsJoinFormat(format)) setCurrentCharFormat(bridge::WithoutJoin(format));
  }
  QPlainTextEdit::keyPressEvent(event);
}

QMimeData* RichEdit::createMimeDataFromSelection() const {
  if (!make_) return QPlainTextEdit::createMimeDataFromSelection();
  // The caller takes the data over.
  return make_().release();
}

bool RichEdit::canInsertFromMimeData(const QMimeData* source) const {
  for (const QString& type : RtfMimeTypes()) {
    if (source->hasFormat(type)) return true;
  }
  return QPlainTextEdit::canInsertFromMimeData(source);
}

void RichEdit::insertFromMimeData(const QMimeData* source) {
  if (insert_) {
    insert_(*source);
  } else {
    QPlainTextEdit::insertFromMimeData(source);
  }
}

}  // namespace markwell
