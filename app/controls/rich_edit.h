// The editor's text widget: Qt's plain-text view, which still draws every
// character in its own format but lays out only the lines on screen, so
// that a document of any size opens, takes a run and scrolls at once. Its
// own copy, cut, paste and drag and drop (keyboard, context menu, mouse) go
// through the window's clipboard code, so that they carry RTF as the menu
// commands do. The selection is drawn only while the widget has the keyboard
// focus.
#pragma once

#include <QElapsedTimer>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPoint>
#include <QStringList>
#include <functional>
#include <memory>

namespace markwell {

class RichEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  // Keys that switch a style of the selection.
  enum class StyleKey { Bold, Italic, Underline };

  using MakeMimeData = std::function<std::unique_ptr<QMimeData>()>;
  using InsertMimeData = std::function<void(const QMimeData&)>;
  using OpenDroppedFile = std::function<void(const QString&)>;

  explicit RichEdit(QWidget* parent = nullptr);

  // `insert` also takes the data types in `insertedTypes`, beyond those the
  // widget itself reads.
  void SetClipboardHandlers(MakeMimeData make, InsertMimeData insert,
                            QStringList insertedTypes = {});
  // Files dropped from a file manager are opened, not pasted as their URLs.
  void SetFileDropHandler(OpenDroppedFile open);

 signals:
  // Ctrl+B, Ctrl+I or Ctrl+U; the window switches the style.
  void StyleKeyPressed(RichEdit::StyleKey key);
  // After an undo or a redo, by key or context menu. Either selects what it
  // changed, which may be the very selection there was.
  void UndoneOrRedone();

 protected:
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // Backspace and Delete reach the character beside the caret across a
  // block end the document made to cut a long line; Enter makes a real one.
  // Ctrl+Y redoes, as Ctrl+Shift+Z does.
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // A triple click selects the line of the text, which may share its block
  // with others or span several.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The first local file that `data` carries, or an empty string.
  static QString DroppedFile(const QMimeData* data);
  // Whether the selection shows while another control has the focus; it
  // does only while a menu holds the keyboard and will give it back.
  void ShowSelectionUnfocused(bool show);

  MakeMimeData make_;
  InsertMimeData insert_;
  QStringList insertedTypes_;
  OpenDroppedFile openDropped_;
  QElapsedTimer sinceDoubleClick_;
  QPoint doubleClickAt_;
};

}  // namespace markwell
