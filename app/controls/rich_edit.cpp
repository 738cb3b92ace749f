#include "rich_edit.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include "layout_completion.h"
#include "mime_types.h"

namespace markwell {

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
    FinishLayout(*document());
    QTextEdit::dropEvent(event);
    return;
  }
  event->acceptProposedAction();
  openDropped_(file);
}

void RichEdit::keyPressEvent(QKeyEvent* event) {
  if (!OnlyMovesTheCaret(*event)) FinishLayout(*document());
  QTextEdit::keyPressEvent(event);
}

bool RichEdit::OnlyMovesTheCaret(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
      return true;
    default:
      return false;
  }
}

void RichEdit::inputMethodEvent(QInputMethodEvent* event) {
  FinishLayout(*document());
  QTextEdit::inputMethodEvent(event);
}

void RichEdit::contextMenuEvent(QContextMenuEvent* event) {
  // The menu's entries (cut, paste, delete, undo) act without another event.
  FinishLayout(*document());
  QTextEdit::contextMenuEvent(event);
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
