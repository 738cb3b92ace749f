// A long document opened into the editor is laid out a piece per timer
// tick. Whatever edits it meanwhile must leave all of it laid out: the
// widget's own layout stops at a small edit and would leave the rest of the
// text without layout, drawn nowhere.
#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <functional>

#include "app_test_support.h"

using namespace markwell;

namespace {

using EditAction = std::function<void(TForm1&)>;

bool LaidOut(const QTextEdit& editor) {
  const QTextLayout* last = editor.document()->lastBlock().layout();
  return last != nullptr && last->lineCount() > 0;
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

  void editRightAfterOpeningLeavesAllLaidOut_data() {
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
  void editRightAfterOpeningLeavesAllLaidOut() {
    QFETCH(EditAction, edit);
    form_->REdit->setFocus();
    form_->OpenFile(directory_.filePath("long.pas"));
    QVERIFY(!LaidOut(*form_->REdit));  // still being laid out
    edit(*form_);
    QTRY_VERIFY_WITH_TIMEOUT(LaidOut(*form_->REdit), 20000);
    // Every line has its height: the document is as tall as all its lines.
    const QTextDocument& document = *form_->REdit->document();
    const qreal lastBottom =
        document.documentLayout()->blockBoundingRect(document.lastBlock()).bottom();
    QVERIFY(lastBottom > 19000 * document.firstBlock().layout()->boundingRect().height());
  }

 private:
  QTemporaryDir directory_;
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(LongDocumentTest)
#include "long_document_test.moc"
