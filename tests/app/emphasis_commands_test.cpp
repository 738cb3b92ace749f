// The emphasis button by the style chosen in CBStyl, the menu entries that
// start a run whatever the style, and the use-colour toggle.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

#include "app_test_support.h"
#include "tform2.h"

using namespace markwell;

namespace {

const char kPascal[] = "begin { note } x := 'a'; end";

void Write(TForm1& form, const QString& text) {
  QTextCursor cursor(form.REdit->document());
  cursor.insertText(text);
}

// Records the line of each formatting window when it closes.
struct WindowWatch {
  int windows = 0;
  QString lastLine;
};

std::shared_ptr<WindowWatch> WatchFormattingWindow() {
  auto watch = std::make_shared<WindowWatch>();
  test::WhenModal<TForm2>([watch](TForm2& form) {
    ++watch->windows;
    QObject::connect(&form, &QDialog::finished,
                     [watch, &form] { watch->lastLine = form.Label1->text(); });
  });
  return watch;
}

}  // namespace

class EmphasisCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetApplicationTitle(); }
  void init() { QVERIFY(test::ShowMainWindow(form_)); }
  void cleanup() { form_.reset(); }

  void emphasisButtonByStyle_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("line");  // of the formatting window; empty: none opens
    QTest::newRow("Assembler") << "Assembler"
                               << "Pro kód assembleru.";
    QTest::newRow("Delphi ") << "Delphi "
                             << "Pro Delphi kód.";
    QTest::newRow("Matlab") << "Matlab"
                            << "Pro MATLAB.";
    QTest::newRow("C") << "C"
                       << "Pro C.";
    QTest::newRow("Python") << "Python"
                            << "Pro Python.";
  }
  void emphasisButtonByStyle() {
    QFETCH(QString, caption);
    QFETCH(QString, line);
    Write(*form_, kPascal);
    const int style = form_->CBStyl->findText(caption);
    QVERIFY(style >= 0);
    form_->CBStyl->setCurrentIndex(style);
    const auto watch = WatchFormattingWindow();
    QTest::mouseClick(form_->TBZmena, Qt::LeftButton);
    QCOMPARE(watch->windows, 1);
    QCOMPARE(watch->lastLine, line);
    QCOMPARE(form_->CBStyl->currentIndex(), style);
    // The caret is where the filter left it: the end of the text.
    QCOMPARE(form_->REdit->textCursor().position(), int(qstrlen(kPascal)));
    QVERIFY(form_->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void defaultStyleResetsAtOnce() {
    QTextCursor cursor(form_->REdit->document());
    QTextCharFormat odd;
    odd.setFontWeight(QFont::Bold);
    odd.setFontItalic(true);
    odd.setFontUnderline(true);
    odd.setForeground(QColor(255, 0, 0));
    odd.setFontPointSize(20);
    cursor.insertText("loud", odd);
    QTextCharFormat otherFont;
    otherFont.setFontFamilies({"Liberation Mono"});
    cursor.insertText(" mono", otherFont);
    form_->CBStyl->setCurrentIndex(0);
    const auto watch = WatchFormattingWindow();
    QTest::mouseClick(form_->TBZmena, Qt::LeftButton);
    QTest::qWait(150);
    QCOMPARE(watch->windows, 0);
    const CharFormat loud = test::FormatAt(*form_, 0);
    QCOMPARE(loud.style, FontStyles());
    QCOMPARE(loud.color, kWindowTextColor);
    QCOMPARE(loud.size, 10);
    QCOMPARE(test::FormatAt(*form_, 5).fontName, std::string("Liberation Mono"));
    QCOMPARE(form_->REdit->textCursor().position(), 0);
    QVERIFY(!form_->REdit->textCursor().hasSelection());
    QVERIFY(!form_->TBTucnost->isChecked());
  }

  // A definition of the program's own folder that fails to load shows the
  // error box with its file and line, one removed since the start is not
  // installed; neither changes the document.
  void brokenAndMissingDefinitions() {
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath("languages"));
    const QString languages = program.filePath("languages/");
    test::WriteFile(languages + "lang.map", "broken = broken.lang\ngone = gone.lang\n");
    test::WriteFile(languages + "broken.lang", "keyword = \"a\"\nno rule here (\n");
    test::WriteFile(languages + "gone.lang", "keyword = \"a\"\n");
    TForm1 form(test::KeywordDir(), program.path() + "/");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QFile::remove(languages + "gone.lang");
    Write(form, kPascal);
    const Document before = form.Bridge().ToDocument();
    struct {
      const char* caption;
      QString message;
    } cases[] = {{"Broken", languages + "broken.lang:2: syntax error."},
                 {"Gone", "Není nainstalován filtr"}};
    for (const auto& c : cases) {
      form.CBStyl->setCurrentIndex(form.CBStyl->findText(c.caption));
      const auto seen = test::ExpectMessageBox();
      QTest::mouseClick(form.TBZmena, Qt::LeftButton);
      QVERIFY(seen->shown);
      QCOMPARE(seen->text, c.message);
      const Document after = form.Bridge().ToDocument();
      for (int pos = 0; pos < before.Length(); ++pos) {
        QVERIFY(after.Content().FormatAt(pos) == before.Content().FormatAt(pos));
      }
    }
  }

  void htmlStyleHasNoFilter() {
    Write(*form_, kPascal);
    const Document before = form_->Bridge().ToDocument();
    form_->CBStyl->setCurrentIndex(3);
    const auto seen = test::ExpectMessageBox();
    QTest::mouseClick(form_->TBZmena, Qt::LeftButton);
    QVERIFY(seen->shown);
    QCOMPARE(seen->text, QString("Není nainstalován filtr"));
    QCOMPARE(seen->title, QString("RX-Markwell"));
    QCOMPARE(seen->icon, QMessageBox::NoIcon);
    QCOMPARE(seen->buttons, 1);
    QVERIFY(seen->centredOnScreen);
    QCOMPARE(seen->textFormat, Qt::PlainText);
    const Document after = form_->Bridge().ToDocument();
    for (int pos = 0; pos < before.Length(); ++pos) {
      QVERIFY(after.Content().FormatAt(pos) == before.Content().FormatAt(pos));
    }
    // The menu entry says the same.
    const auto again = test::ExpectMessageBox();
    form_->MnuHTML->trigger();
    QVERIFY(again->shown);
    QCOMPARE(again->text, QString("Není nainstalován filtr"));
  }

  void menuEntriesIgnoreTheStyle_data() {
    QTest::addColumn<int>("style");
    QTest::newRow("Výchozí") << 0;
    QTest::newRow("Matlab") << 4;
    QTest::newRow("HTML") << 3;
  }
  void menuEntriesIgnoreTheStyle() {
    QFETCH(int, style);
    Write(*form_, kPascal);
    form_->CBStyl->setCurrentIndex(style);
    const auto watch = WatchFormattingWindow();
    form_->mnuDelphi->trigger();
    QCOMPARE(watch->lastLine, QString("Pro Delphi kód."));
    QVERIFY(test::FormatAt(*form_, 0).style.Has(FontStyle::Bold));  // "begin"
    QCOMPARE(form_->CBStyl->currentIndex(), style);
  }

  void useColorToggleDecidesPascalColors() {
    Write(*form_, kPascal);
    form_->mnuDelphi->trigger();
    const CharFormat plainKeyword = test::FormatAt(*form_, 0);
    QCOMPARE(plainKeyword.color, kWindowTextColor);
    QTest::mouseClick(form_->TBPouzitBarvu, Qt::LeftButton);
    QVERIFY(form_->TBPouzitBarvu->isChecked());
    form_->mnuDelphi->trigger();
    const CharFormat coloredKeyword = test::FormatAt(*form_, 0);
    QVERIFY(coloredKeyword.color != kWindowTextColor);
    QCOMPARE(coloredKeyword.style, plainKeyword.style);
  }

  void choosingAStyleOnlyFocusesTheEditor() {
    Write(*form_, kPascal);
    const Document before = form_->Bridge().ToDocument();
    form_->CBStyl->setFocus();
    QTest::keyClick(form_->CBStyl, Qt::Key_Down);  // the keyboard chooses "Assembler"
    QCOMPARE(form_->CBStyl->currentIndex(), 1);
    QVERIFY(form_->REdit->hasFocus());
    const Document after = form_->Bridge().ToDocument();
    QVERIFY(after.Content().FormatAt(0) == before.Content().FormatAt(0));
  }

 private:
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(EmphasisCommandsTest)
#include "emphasis_commands_test.moc"
