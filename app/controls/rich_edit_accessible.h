// What a screen reader sees of the text widget: its text, caret, selection
// and each character's attributes, as Qt reports them for its own text
// widgets, except for the breaks the bridge adds to the widget's document
// for its layout (line_blocks.h). A line separator inside a block reads as
// the line end it is, and a join, which is no character of the text, as a
// zero-width space, so that nothing is heard there; offsets stay the
// widget's positions.
#pragma once

#include <QAccessibleWidget>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace markwell {

class RichEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
 public:
  explicit RichEditAccessible(QPlainTextEdit* editor);

  // For QAccessible::installFactory: this interface for every RichEdit.
  static QAccessibleInterface* Create(const QString& className, QObject* object);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QAccessible::State state() const override;
  QString text(QAccessible::Text type) const override;

  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                           int* endOffset) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                          int* endOffset) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                       int* endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

 private:
  QPlainTextEdit& Editor() const;
  // A cursor on the document at `position`, kept within the text.
  QTextCursor At(int position) const;
  QString Boundaries(QTextCursor at, QAccessible::TextBoundaryType type, int* startOffset,
                     int* endOffset) const;
};

}  // namespace markwell
