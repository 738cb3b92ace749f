#include "rich_edit.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTextDocument>
#include <QUrl>
#include <optional>

#include "line_blocks.h"
#include "line_counting_layout.h"
#include "rich_edit_accessible.h"

namespace markwell {

namespace {

std::optional<RichEdit::StyleKey> StyleOfKey(int key) {
  switch (key) {
    case Qt::Key_B:
      return RichEdit::StyleKey::Bold;
    case Qt::Key_I:
      return RichEdit::StyleKey::Italic;
    case Qt::Key_U:
      return RichEdit::StyleKey::Underline;
    default:
      return std::nullopt;
  }
}

}  // namespace

RichEdit::RichEdit(QWidget* parent) : QPlainTextEdit(parent) {
  // Once for the program: screen readers get this widget's own interface.
  static const bool accessible = (QAccessible::installFactory(&RichEditAccessible::Create), true);
  Q_UNUSED(accessible);
  auto* document = new QTextDocument(this);
  document->setDocumentLayout(new LineCountingLayout(document));
  setDocument(document);
  ShowSelectionUnfocused(false);
}

void RichEdit::SetClipboardHandlers(MakeMimeData make, InsertMimeData insert,
                                    QStringList insertedTypes) {
  make_ = std::move(make);
  insert_ = std::move(insert);
  insertedTypes_ = std::move(insertedTypes);
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
  if (event->modifiers() == Qt::ControlModifier) {
    const auto style = StyleOfKey(event->key());
    if (style) {
      event->accept();
      emit StyleKeyPressed(*style);
      return;
    }
  }
  const bool undoKey = event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
  if (!undoKey && event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Y) {
    event->accept();
    redo();
    emit UndoneOrRedone();
    return;
  }
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  QTextCursor cursor = textCursor();
  if (plain && !cursor.hasSelection() &&
      (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
    blocks::StepOverJoin(cursor, event->key() == Qt::Key_Delete, QTextCursor::MoveAnchor);
    if (cursor.position() != textCursor().position()) setTextCursor(cursor);
  } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    const QTextCharFormat format = currentCharFormat();
    if (blocks::IsJoinFormat(format)) setCurrentCharFormat(blocks::WithoutJoin(format));
  }
  QPlainTextEdit::keyPressEvent(event);
  if (undoKey) emit UndoneOrRedone();
}

void RichEdit::contextMenuEvent(QContextMenuEvent* event) {
  // The widget's own menu, told apart only by what its undo and redo do next.
  QMenu* menu = createStandardContextMenu(event->pos());
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (QAction* action : menu->actions()) {
    if (action->objectName() == QLatin1String("edit-undo") ||
        action->objectName() == QLatin1String("edit-redo")) {
      connect(action, &QAction::triggered, this, &RichEdit::UndoneOrRedone);
    }
  }
  menu->popup(event->globalPos());
}

void RichEdit::focusOutEvent(QFocusEvent* event) {
  ShowSelectionUnfocused(event->reason() == Qt::PopupFocusReason);
  QPlainTextEdit::focusOutEvent(event);
}

void RichEdit::ShowSelectionUnfocused(bool show) {
  // Without the focus the widget draws the selection in the palette's
  // inactive colours. No brush draws no selection, and each character then
  // shows its own colours.
  QPalette palette = this->palette();
  for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setBrush(QPalette::Inactive, role,
                     show ? palette.brush(QPalette::Active, role) : QBrush(Qt::NoBrush));
  }
  setPalette(palette);
}

void RichEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton) return;
  sinceDoubleClick_.start();
  doubleClickAt_ = event->position().toPoint();
}

void RichEdit::mousePressEvent(QMouseEvent* event) {
  const bool tripleClick = event->button() == Qt::LeftButton &&
                           event->modifiers() == Qt::NoModifier && sinceDoubleClick_.isValid() &&
                           sinceDoubleClick_.elapsed() < QApplication::doubleClickInterval() &&
                           (event->position().toPoint() - doubleClickAt_).manhattanLength() <
                               QApplication::startDragDistance();
  sinceDoubleClick_.invalidate();
  // Where the click is, before the widget selects its block and scrolls.
  QTextCursor line = cursorForPosition(event->position().toPoint());
  QPlainTextEdit::mousePressEvent(event);
  if (!tripleClick) return;
  blocks::SelectLine(line);
  setTextCursor(line);
}

void RichEdit::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  if (event->size().width() == event->oldSize().width()) return;
  if (auto* layout = dynamic_cast<LineCountingLayout*>(document()->documentLayout())) {
    layout->CountAllLines();
  }
}

QMimeData* RichEdit::createMimeDataFromSelection() const {
  if (!make_) return QPlainTextEdit::createMimeDataFromSelection();
  // The caller takes the data over.
  return make_().release();
}

bool RichEdit::canInsertFromMimeData(const QMimeData* source) const {
  for (const QString& type : insertedTypes_) {
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
