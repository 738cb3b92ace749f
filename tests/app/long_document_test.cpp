// A long document opened into the editor is laid out only where it is
// shown. Whatever edits it right after opening, all of it stays reachable:
// the scroll bar counts every line, and the end of the text, once scrolled
// to, is laid out and drawn.
#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <functional>

#include "app_test_support.h"

using namespace markwell;

namespace {

using EditAction = std::function<void(TForm1&)>;

bool LaidOut(const QTextBlock& block) {
  return block.layout() != nullptr && block.layout()->lineCount() > 0;
}

}  // namespace

Q_DECLARE_METATYPE(EditAction)

class LongDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    SetApplicationTitle();
    QVERIFY(directory_.isValid());
    QFile file(directory_.filePath("long.pas"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int line = 0; line < 20000; ++line)
      file.write("  x := x + 1; { a line of a long unit }\r\n");
  }
  void init() { QVERIFY(test::ShowMainWindow(form_)); }
  void cleanup() { form_.reset(); }

  void editRightAfterOpeningLeavesAllReachable_data() {
    QTest::addColumn<EditAction>("edit");
    QTest::newRow("letter typed") << EditAction(
        [](TForm1& form) { QTest::keyClick(form.REdit, Qt::Key_X); });
    QTest::newRow("line break typed")
        << EditAction([](TForm1& form) { QTest::keyClick(form.REdit, Qt::Key_Return); });
    QTest::newRow("character deleted")
        << EditAction([](TForm1& form) { QTest::keyClick(form.REdit, Qt::Key_Delete); });
    QTest::newRow("text pasted") << EditAction([](TForm1& form) {
      QApplication::clipboard()->setText("pasted");
      form.mnuPaste->trigger();
    });
    QTest::newRow("selection cut") << EditAction([](TForm1& form) {
      test::SelectInEditor(form.REdit, 0, 5);
      form.mnuCut->trigger();
    });
    QTest::newRow("selection made bold") << EditAction([](TForm1& form) {
      test::SelectInEditor(form.REdit, 0, 5);
      QTest::mouseClick(form.TBTucnost, Qt::LeftButton);
    });
  }
  void editRightAfterOpeningLeavesAllReachable() {
    QFETCH(EditAction, edit);
    form_->REdit->setFocus();
    form_->OpenFile(directory_.filePath("long.pas"));
    edit(*form_);
    QApplication::processEvents();
    const QTextDocument& document = *form_->REdit->document();
    // Nothing laid out that is not shown; the scroll bar counts every line,
    // also once a new width has made the widget count its blocks again.
    QVERIFY(!LaidOut(document.findBlockByNumber(document.blockCount() / 2)));
    QVERIFY(form_->REdit->verticalScrollBar()->maximum() > 19000);
    form_->REdit->resize(form_->REdit->width() - 40, form_->REdit->height());
    QApplication::processEvents();
    QVERIFY(form_->REdit->verticalScrollBar()->maximum() > 19000);
    QTest::keyClick(form_->REdit, Qt::Key_End, Qt::ControlModifier);
    QTRY_VERIFY(LaidOut(document.lastBlock().previous()));
    QVERIFY(form_->REdit->viewport()->rect().contains(form_->REdit->cursorRect().center()));
  }

 private:
  QTemporaryDir directory_;
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(LongDocumentTest)
#include "long_document_test.moc"
