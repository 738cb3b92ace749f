// Helpers of the editor's tests: answering modal windows as a user would,
// typing, and looking at the document's formats.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "document_bridge.h"
#include "error_box.h"
#include "tform1.h"

namespace markwell::test {

// Runs `act` on the next visible modal window of type W, from inside the
// event loop that shows it. A window nobody acted on within `timeoutMs` is
// rejected, so that a fault fails a test instead of hanging it. The watch
// returned may be deleted to end it sooner.
template <typename W>
QPointer<QTimer> WhenModal(std::function<void(W&)> act, int timeoutMs = 10000) {
  auto* poll = new QTimer(qApp);  // owned by the application until it is done
  auto waited = std::make_shared<int>(0);
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, waited, act = std::move(act), timeoutMs] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* window = qobject_cast<W*>(modal);
    if (window != nullptr && window->isVisible()) {
      poll->stop();
      poll->deleteLater();
      act(*window);
      return;
    }
    *waited += 10;
    if (*waited > timeoutMs) {
      poll->stop();
      poll->deleteLater();
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    }
  });
  poll->start();
  return poll;
}

// What a message box showed before the test pressed its OK button.
struct SeenMessage {
  bool shown = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QList<QAbstractButton*>::size_type buttons = 0;
  bool centredOnScreen = false;
  Qt::TextFormat textFormat = Qt::AutoText;
};

inline std::shared_ptr<SeenMessage> ExpectMessageBox() {
  auto seen = std::make_shared<SeenMessage>();
  WhenModal<QMessageBox>([seen](QMessageBox& box) {
    seen->shown = true;
    seen->title = box.windowTitle();
    seen->text = box.text();
    seen->icon = box.icon();
    seen->textFormat = box.textFormat();
    seen->buttons = box.buttons().size();
    seen->centredOnScreen = box.parentWidget() == nullptr;
    QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
  });
  return seen;
}

// Types `text` into `widget`; characters beyond ASCII go as key events
// carrying their text, as QTest::keyClicks takes ASCII only.
inline void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(widget, &press);
      QApplication::sendEvent(widget, &release);
    }
  }
}

// Selects [start, end) in the editor as the mouse or Shift+arrows would.
inline void SelectInEditor(QPlainTextEdit* editor, int start, int end) {
  QTextCursor cursor = editor->textCursor();
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  editor->setTextCursor(cursor);
}

// The engine's format of the editor's character at engine position `pos`
// (CR LF line breaks), read without moving the selection.
inline CharFormat FormatAt(TForm1& form, int pos) {
  return form.Bridge().ToDocument().Content().FormatAt(pos);
}

inline QString DataDir() {
  return QStringLiteral(MARKWELL_TEST_DATA_DIR "/");
}
inline QString KeywordDir() {
  return QStringLiteral(MARKWELL_KEYWORD_DIR);
}

// A new main window, shown; false when it never became visible.
inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

inline bool ShowMainWindow(std::unique_ptr<TForm1>& form) {
  form = std::make_unique<TForm1>(KeywordDir());
  form->show();
  return QTest::qWaitForWindowExposed(form.get());
}

}  // namespace markwell::test
