#include "rich_edit_accessible.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "line_blocks.h"

namespace markwell {

namespace {

constexpr QChar kZeroWidthSpace(0x200B);

}  // namespace

RichEditAccessible::RichEditAccessible(QPlainTextEdit* editor)
    : QAccessibleWidget(editor, QAccessible::EditableText) {}

QAccessibleInterface* RichEditAccessible::Create(const QString& className, QObject* object) {
  if (className != QLatin1String("markwell::RichEdit") || !object->isWidgetType()) return nullptr;
  // Qt's accessibility cache owns the interface from here on.
  return new RichEditAccessible(static_cast<QPlainTextEdit*>(object));
}

QPlainTextEdit& RichEditAccessible::Editor() const {
  return *static_cast<QPlainTextEdit*>(widget());
}

QTextCursor RichEditAccessible::At(int position) const {
  QTextCursor cursor(Editor().document());
  cursor.setPosition(std::clamp(position, 0, characterCount()));
  return cursor;
}

void* RichEditAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface) {
    return static_cast<QAccessibleEditableTextInterface*>(this);
  }
  return QAccessibleWidget::interface_cast(type);
}

QAccessible::State RichEditAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = !Editor().isReadOnly();
  state.readOnly = Editor().isReadOnly();
  state.multiLine = true;
  state.selectableText = true;
  state.focusable = true;
  return state;
}

QString RichEditAccessible::text(QAccessible::Text type) const {
  if (type == QAccessible::Value) return text(0, characterCount());
  return QAccessibleWidget::text(type);
}

void RichEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  const QTextCursor cursor = Editor().textCursor();
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !cursor.hasSelection()) return;
  *startOffset = cursor.selectionStart();
  *endOffset = cursor.selectionEnd();
}

int RichEditAccessible::selectionCount() const {
  return Editor().textCursor().hasSelection() ? 1 : 0;
}

void RichEditAccessible::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void RichEditAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex != 0) return;
  QTextCursor cursor = Editor().textCursor();
  cursor.clearSelection();
  Editor().setTextCursor(cursor);
}

void RichEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0) return;
  QTextCursor cursor = At(startOffset);
  cursor.setPosition(At(endOffset).position(), QTextCursor::KeepAnchor);
  Editor().setTextCursor(cursor);
}

int RichEditAccessible::cursorPosition() const {
  return Editor().textCursor().position();
}

void RichEditAccessible::setCursorPosition(int position) {
  Editor().setTextCursor(At(position));
}

QString RichEditAccessible::text(int startOffset, int endOffset) const {
  QTextCursor cursor = At(startOffset);
  const int start = cursor.position();
  cursor.setPosition(At(endOffset).position(), QTextCursor::KeepAnchor);
  QString text = cursor.selectedText();
  for (QChar& c : text) {
    if (c == QChar(blocks::kLineSeparator) || c == QChar::ParagraphSeparator) c = u'\n';
  }
  // Block ends that are joins, which the text does not have.
  const QTextDocument& document = *Editor().document();
  for (QTextBlock block = document.findBlock(start).next();
       block.isValid() && block.position() <= cursor.selectionEnd(); block = block.next()) {
    const int end = block.position() - 1 - start;
    if (end >= 0 && end < text.size() && blocks::StartsAfterJoin(block))
      text[end] = kZeroWidthSpace;
  }
  return text;
}

QString RichEditAccessible::Boundaries(QTextCursor at, QAccessible::TextBoundaryType type,
                                       int* startOffset, int* endOffset) const {
  const auto [start, end] = QAccessible::qAccessibleTextBoundaryHelper(at, type);
  *startOffset = start;
  *endOffset = end;
  return text(start, end);
}

QString RichEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
  const int start = QAccessible::qAccessibleTextBoundaryHelper(At(offset), boundaryType).first;
  if (start <= 0) {
    *startOffset = *endOffset = -1;
    return {};
  }
  return Boundaries(At(start - 1), boundaryType, startOffset, endOffset);
}

QString RichEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
  const int end = QAccessible::qAccessibleTextBoundaryHelper(At(offset), boundaryType).second;
  if (end >= characterCount()) {
    *startOffset = *endOffset = -1;
    return {};
  }
  return Boundaries(At(end), boundaryType, startOffset, endOffset);
}

QString RichEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
  return Boundaries(At(offset), boundaryType, startOffset, endOffset);
}

int RichEditAccessible::characterCount() const {
  return Editor().document()->characterCount() - 1;
}

QRect RichEditAccessible::characterRect(int offset) const {
  const QTextCursor cursor = At(offset);
  QRect rect = Editor().cursorRect(cursor);
  const QChar c = Editor().document()->characterAt(cursor.position());
  rect.setWidth(std::max(1, QFontMetrics(cursor.charFormat().font()).horizontalAdvance(c)));
  rect.moveTopLeft(Editor().viewport()->mapToGlobal(rect.topLeft()));
  return rect;
}

int RichEditAccessible::offsetAtPoint(const QPoint& point) const {
  const QPoint inside = Editor().viewport()->mapFromGlobal(point);
  if (!Editor().viewport()->rect().contains(inside)) return -1;
  return Editor().cursorForPosition(inside).position();
}

void RichEditAccessible::scrollToSubstring(int startIndex, int /*endIndex*/) {
  const QTextCursor cursor = At(startIndex);
  if (Editor().viewport()->rect().contains(Editor().cursorRect(cursor))) return;
  // The widget's scroll bar counts lines: the block's first, plus the
  // line of the block that holds the position once it is laid out.
  const QTextBlock block = cursor.block();
  int line = block.firstLineNumber();
  if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
    line += layout->lineForTextPosition(cursor.position() - block.position()).lineNumber();
  }
  Editor().verticalScrollBar()->setValue(line);
}

QString RichEditAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = offset;
  if (offset < 0 || offset >= characterCount()) return {};
  const QTextBlock block = Editor().document()->findBlock(offset);
  QTextCharFormat format = block.charFormat();
  *startOffset = block.position();
  *endOffset = block.position() + block.length();
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    if (offset < fragment.position() || offset >= fragment.position() + fragment.length()) continue;
    format = fragment.charFormat();
    *startOffset = fragment.position();
    *endOffset = fragment.position() + fragment.length();
    break;
  }
  const QFont font = format.font().resolve(Editor().document()->defaultFont());
  const QColor color = format.foreground().color();
  QString result;
  result += QStringLiteral("font-family:\"%1\";").arg(font.family());
  result += QStringLiteral("font-size:%1pt;").arg(font.pointSizeF());
  result += QStringLiteral("font-style:%1;")
                .arg(font.italic() ? QLatin1String("italic") : QLatin1String("normal"));
  result += QStringLiteral("font-weight:%1;").arg(static_cast<int>(font.weight()));
  if (font.underline()) result += QStringLiteral("text-underline-style:solid;");
  if (format.foreground().style() != Qt::NoBrush) {
    result += QStringLiteral("color:rgb(%1,%2,%3);")
                  .arg(color.red())
                  .arg(color.green())
                  .arg(color.blue());
  }
  return result;
}

void RichEditAccessible::deleteText(int startOffset, int endOffset) {
  replaceText(startOffset, endOffset, {});
}

void RichEditAccessible::insertText(int offset, const QString& text) {
  replaceText(offset, offset, text);
}

void RichEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  if (Editor().isReadOnly()) return;
  QTextCursor cursor = At(startOffset);
  cursor.setPosition(At(endOffset).position(), QTextCursor::KeepAnchor);
  cursor.insertText(text);
}

}  // namespace markwell
