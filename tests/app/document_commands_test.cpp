// New, open (with the extension rule), save as RTF, exit, select all and
// About, driven through the toolbar, the menu and the dialogs.
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include "app_test_support.h"
#include "files/engine_error.h"
#include "qt_translation.h"

using namespace markwell;

namespace {

constexpr int kMatlabStyle = 4;

// Writes the name into the dialog's file name field, as the user types it.
void EnterFileName(QFileDialog& dialog, const QString& path) {
  auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QVERIFY(field != nullptr);
  field->setText(path);
}

// Answers the next file dialog with `path`, or cancels it when `path` is empty.
void AnswerFileDialog(const QString& path) {
  test::WhenModal<QFileDialog>([path](QFileDialog& dialog) {
    if (path.isEmpty()) {
      dialog.reject();
      return;
    }
    EnterFileName(dialog, path);
    static_cast<QDialog&>(dialog).accept();
  });
}

using test::WriteFile;

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class DocumentCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetApplicationTitle(); }
  void init() { QVERIFY(test::ShowMainWindow(form_)); }
  void cleanup() { form_.reset(); }

  // The style Open selects: "Delphi " for .dpr and .pas, a definition's for
  // its extensions; every other name keeps "Matlab", selected before.
  void openSelectsStyleByExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("style");
    QTest::newRow("UNIT1.PAS") << "UNIT1.PAS"
                               << "Delphi ";
    QTest::newRow("unit1.pas") << "unit1.pas"
                               << "Delphi ";
    QTest::newRow("Project.Dpr") << "Project.Dpr"
                                 << "Delphi ";
    QTest::newRow("a.pAs") << "a.pAs"
                           << "Delphi ";
    QTest::newRow("a.m keeps the style") << "a.m"
                                         << "Matlab";
    QTest::newRow("a.txt keeps the style") << "a.txt"
                                           << "Matlab";
    QTest::newRow("a.ASM keeps the style") << "a.ASM"
                                           << "Matlab";
    QTest::newRow("no extension") << "noextension"
                                  << "Matlab";
    QTest::newRow("x.pas.bak") << "x.pas.bak"
                               << "Matlab";
    QTest::newRow("dot in a directory") << "dir.pas/readme"
                                        << "Matlab";
    QTest::newRow("main.c") << "main.c"
                            << "C";
    QTest::newRow("io.H") << "io.H"
                          << "C";
    QTest::newRow("run.py") << "run.py"
                            << "Python";
  }
  void openSelectsStyleByExtension() {
    QFETCH(QString, name);
    QFETCH(QString, style);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("dir.pas"));
    const QString path = dir.filePath(name);
    WriteFile(path, "begin\r\n  x := 1;\r\nend.");
    form_->CBStyl->setCurrentIndex(kMatlabStyle);
    AnswerFileDialog(path);
    QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);
    QCOMPARE(form_->REdit->toPlainText(), QString("begin\n  x := 1;\nend."));
    QCOMPARE(form_->CBStyl->currentText(), style);
  }

  void openCanBeUndone() {
    QTest::keyClicks(form_->REdit, "kept");
    QTemporaryDir dir;
    WriteFile(dir.filePath("a.pas"), "begin end.");
    form_->OpenFile(dir.filePath("a.pas"));
    QCOMPARE(form_->REdit->toPlainText(), QString("begin end."));
    QTest::keyClick(form_->REdit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form_->REdit->toPlainText(), QString("kept"));
  }

  void typedPathAndEnterLeaveNoCompletionOnScreen() {
    QTemporaryDir dir;
    WriteFile(dir.filePath("first.pas"), "x");
    WriteFile(dir.filePath("fine.pas"), "y");
    QPointer<QWidget> popup;
    test::WhenModal<QFileDialog>([&](QFileDialog& dialog) {
      auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      QTest::keyClicks(field, dir.path() + "/fi");
      QTRY_VERIFY(field->completer()->popup()->isVisible());
      popup = field->completer()->popup();
      QTest::keyClicks(field, "rst.pas");
      QTest::keyClick(field, Qt::Key_Return);
    });
    form_->mnuNacist->trigger();
    QCOMPARE(form_->REdit->toPlainText(), QString("x"));
    QVERIFY(popup != nullptr);
    QVERIFY(!popup->isVisible());
  }

  void dialogsSpeakCzech() {
    QTranslator czech;
    QVERIFY(InstallQtCzechTranslation(czech));
    QString accept;
    test::WhenModal<QFileDialog>([&accept](QFileDialog& dialog) {
      accept = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->text();
      dialog.reject();
    });
    form_->mnuNacist->trigger();
    QVERIFY2(!accept.isEmpty() && !accept.contains("Open"), qPrintable(accept));
    QCoreApplication::removeTranslator(&czech);
  }

  void cancelledOpenChangesNothing() {
    QTest::keyClicks(form_->REdit, "kept");
    form_->CBStyl->setCurrentIndex(kMatlabStyle);
    AnswerFileDialog(QString());
    form_->mnuNacist->trigger();
    QCOMPARE(form_->REdit->toPlainText(), QString("kept"));
    QCOMPARE(form_->CBStyl->currentIndex(), kMatlabStyle);
  }

  void failedOpenShowsTheErrorAndKeepsEverything() {
    QTest::keyClicks(form_->REdit, "kept");
    form_->CBStyl->setCurrentIndex(kMatlabStyle);
    QTemporaryDir dir;
    const QString missing = dir.filePath("gone.pas");
    QVERIFY_THROWS_EXCEPTION(markwell::EngineError, form_->OpenFile(missing));
    QCOMPARE(form_->REdit->toPlainText(), QString("kept"));
    QCOMPARE(form_->CBStyl->currentIndex(), kMatlabStyle);

    // Through the dialog: the file goes away between choosing and reading.
    const QString vanishing = dir.filePath("vanishing.pas");
    WriteFile(vanishing, "x");
    test::WhenModal<QFileDialog>([vanishing](QFileDialog& dialog) {
      EnterFileName(dialog, vanishing);
      static_cast<QDialog&>(dialog).accept();
      QFile::remove(vanishing);
    });
    const auto seen = test::ExpectMessageBox();
    form_->mnuNacist->trigger();
    QTRY_VERIFY(seen->shown);
    QCOMPARE(seen->title, QString("RX-Markwell"));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(seen->text, QString("Cannot open file %1.").arg(vanishing));
    QCOMPARE(form_->CBStyl->currentIndex(), kMatlabStyle);
    QCOMPARE(form_->REdit->toPlainText(), QString("kept"));
  }

  void saveWritesRtfUnderTheNameAsTyped() {
    QTemporaryDir dir;
    const QString path = dir.filePath("dokument");  // no extension added
    WriteFile(path, "old contents");
    QTest::keyClicks(form_->REdit, "text");
    AnswerFileDialog(path);  // replaces the file without a question
    QTest::mouseClick(form_->ToolButton3, Qt::LeftButton);
    QVERIFY(ReadFile(path).startsWith("{\\rtf"));
    QVERIFY(!QFile::exists(path + ".rtf"));
    QVERIFY(ReadFile(path).contains("text"));
  }

  void saveThatCannotCreateTheFileShowsTheError() {
    const QString path = "/proc/markwell-cannot-be-here.rtf";
    AnswerFileDialog(path);
    const auto seen = test::ExpectMessageBox();
    form_->mnuUlozRTF->trigger();
    QTRY_VERIFY(seen->shown);
    QCOMPARE(seen->text, QString("Cannot create file %1.").arg(path));
    QVERIFY(form_->isVisible());
  }

  void newEmptiesTheDocumentAndKeepsTheControls() {
    QTest::keyClicks(form_->REdit, "abc");
    form_->REdit->selectAll();
    QTest::mouseClick(form_->TBTucnost, Qt::LeftButton);
    form_->CBStyl->setCurrentIndex(kMatlabStyle);
    QTest::mouseClick(form_->TBPouzitBarvu, Qt::LeftButton);
    const QString size = form_->CBVelText->currentText();
    QTest::mouseClick(form_->ToolButton1, Qt::LeftButton);
    QCOMPARE(form_->REdit->toPlainText(), QString());
    QCOMPARE(form_->CBStyl->currentIndex(), kMatlabStyle);
    QVERIFY(form_->TBPouzitBarvu->isChecked());
    // The caret moved from the end to 0, yet the controls show what they showed.
    QVERIFY(form_->TBTucnost->isChecked());
    QCOMPARE(form_->CBVelText->currentText(), size);
    // Nothing is lost: the widget's undo brings the old document back.
    QTest::keyClick(form_->REdit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form_->REdit->toPlainText(), QString("abc"));
    QVERIFY(test::FormatAt(*form_, 0).style.Has(FontStyle::Bold));
    form_->mnuNovy->trigger();
    // Text typed next takes the base font, not the bold of the old text.
    QTest::keyClicks(form_->REdit, "x");
    QVERIFY(!test::FormatAt(*form_, 0).style.Has(FontStyle::Bold));
  }

  void selectAllAndExit() {
    QTest::keyClicks(form_->REdit, "one");
    QTest::keyClick(form_->REdit, Qt::Key_Return);
    QTest::keyClicks(form_->REdit, "two");
    form_->Vybratve1->trigger();
    QCOMPARE(form_->REdit->textCursor().selectionStart(), 0);
    QCOMPARE(form_->REdit->textCursor().selectionEnd(), 7);
    form_->mnuKonec->trigger();
    QVERIFY(!form_->isVisible());
  }

  void aboutShowsTheDialogModally() {
    int shown = 0;
    test::WhenModal<QDialog>([&shown](QDialog& dialog) {
      ++shown;
      dialog.reject();
    });
    QTest::mouseClick(form_->TBHelp, Qt::LeftButton);
    QCOMPARE(shown, 1);
    test::WhenModal<QDialog>([&shown](QDialog& dialog) {
      ++shown;
      dialog.reject();
    });
    form_->About1->trigger();
    QCOMPARE(shown, 2);
  }

 private:
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(DocumentCommandsTest)
#include "document_commands_test.moc"
