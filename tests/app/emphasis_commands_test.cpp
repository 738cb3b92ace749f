// The emphasis button by the style chosen in CBStyl, the menu entries that
// start a run whatever the style, and the use-colour toggle.
#include <QComboBox>
#include <QLabel>
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
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("line");  // of the formatting window; empty: none opens
    QTest::newRow("Assembler") << 1 << "Pro kód assembleru.";
    QTest::newRow("Delphi ") << 2 << "Pro Delphi kód.";
    QTest::newRow("Matlab") << 4 << "Pro MATLAB.";
  }
  void emphasisButtonByStyle() {
    QFETCH(int, style);
    QFETCH(QString, line);
    Write(*form_, kPascal);
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
    QCOMPARE(loud.colour, kWindowTextColour);
    QCOMPARE(loud.size, 10);
    QCOMPARE(test::FormatAt(*form_, 5).fontName, std::string("Liberation Mono"));
    QCOMPARE(form_->REdit->textCursor().position(), 0);
    QVERIFY(!form_->REdit->textCursor().hasSelection());
    QVERIFY(!form_->TBTucnost->isChecked());
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

  void useColourToggleDecidesPascalColours() {
    Write(*form_, kPascal);
    form_->mnuDelphi->trigger();
    const CharFormat plainKeyword = test::FormatAt(*form_, 0);
    QCOMPARE(plainKeyword.colour, kWindowTextColour);
    QTest::mouseClick(form_->TBPouzitBarvu, Qt::LeftButton);
    QVERIFY(form_->TBPouzitBarvu->isChecked());
    form_->mnuDelphi->trigger();
    const CharFormat colouredKeyword = test::FormatAt(*form_, 0);
    QVERIFY(colouredKeyword.colour != kWindowTextColour);
    QCOMPARE(colouredKeyword.style, plainKeyword.style);
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
