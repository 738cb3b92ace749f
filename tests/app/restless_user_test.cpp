// A restless user: thousands of random actions through the widgets (typing,
// Czech letters included, selections, bold, italic, font, size, pasted RTF
// both real and hostile, runs in every mode, resets, New, Open, undo and
// redo). After every action the engine's view of the document equals the
// widget's text with a format for every character; after every run the
// formats are those that the engine gives for the same document, as
// markwell-cli does. MARKWELL_RESTLESS_SEED and MARKWELL_RESTLESS_ACTIONS
// change the seed and the number of actions for longer runs by hand.
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QToolButton>
#include <random>

#include "app_test_support.h"
#include "run/formatting_run.h"

using namespace markwell;

namespace {

int FromEnvironment(const char* name, int fallback) {
  const QByteArray value = qgetenv(name);
  bool ok = false;
  const int number = value.toInt(&ok);
  return ok ? number : fallback;
}

// The widget's text with CR LF for its block ends and line separators, as
// the engine reports it.
std::u16string WidgetText(const QTextDocument& document) {
  std::u16string text;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) text += u"\r\n";
    text += block.text().replace(QChar(0x2028), QStringLiteral("\r\n")).toStdU16String();
  }
  return text;
}

class RestlessUser {
 public:
  RestlessUser(TForm1& form, unsigned seed) : form_(form), random_(seed) {}

  void Act() {
    switch (Pick(12)) {
      case 0:
      case 1:
        Type();
        break;
      case 2:
        Select();
        break;
      case 3:
        QTest::mouseClick(Pick(2) ? form_.TBTucnost : form_.TBItalic, Qt::LeftButton);
        break;
      case 4:
        form_.CBFont->setFocus();
        QTest::keyClick(form_.CBFont, Pick(2) ? Qt::Key_Down : Qt::Key_Up);
        break;
      case 5:
        form_.CBVelText->setFocus();
        form_.CBVelText->lineEdit()->clear();
        QTest::keyClicks(form_.CBVelText, QString::number(1 + Pick(72)));
        QTest::keyClick(form_.CBVelText, Qt::Key_Return);
        break;
      case 6:
        Paste();
        break;
      case 7:
        Run();
        break;
      case 8:
        Open();
        break;
      case 9:
        if (Pick(4) == 0) form_.mnuNovy->trigger();
        break;
      case 10:
        QTest::keyClick(form_.REdit, Qt::Key_Z,
                        Pick(3) ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        break;
      default:
        QTest::keyClick(form_.REdit, Pick(2) ? Qt::Key_Backspace : Qt::Key_Delete);
        break;
    }
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  void Type() {
    static const QStringList pieces = {"begin",     " ",   "end;", "x := 'a';", "{ ", " }",
                                       "(*",        "*)",  "//",   "%",         ";",  "\"",
                                       "žluťoučký", "kůň", "ĚŠČŘ", "42",        "\t", "mov ax, 1"};
    form_.REdit->setFocus();
    for (int i = Pick(4); i >= 0; --i) {
      if (Pick(5) == 0) {
        QTest::keyClick(form_.REdit, Qt::Key_Return);
      } else {
        test::Type(form_.REdit, pieces[Pick(static_cast<int>(pieces.size()))]);
      }
    }
  }

  void Select() {
    const int length = form_.REdit->document()->characterCount() - 1;
    const int start = Pick(length + 1);
    test::SelectInEditor(form_.REdit, start, Pick(length + 1));
    if (Pick(3) == 0) QTest::keyClick(form_.REdit, Qt::Key_Right, Qt::ShiftModifier);
  }

  QByteArray RandomRtf() {
    switch (Pick(4)) {
      case 0:
        return "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier "
               "New;}}{\\colortbl;\\red255\\green0\\blue0;}"
               "\\f1\\fs28 begin \\b\\cf1 x\\b0\\par\\i koment\\'e1\\u345?\\i0 end}";
      case 1: {
        QByteArray deep = "{\\rtf1 ";
        for (int i = 0; i < 3000; ++i) deep += "{\\b ";
        return deep + "hluboko";
      }
      case 2: {
        QByteArray fonts = "{\\rtf1{\\fonttbl";
        for (int i = 0; i < 300; ++i)
          fonts += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
        fonts += "}";
        for (int i = 0; i < 300; ++i)
          fonts += "\\f" + QByteArray::number(i) + "\\fs" + QByteArray::number(i) + " a";
        return fonts + "}";
      }
      default: {
        QByteArray junk = "{\\rtf1 ";
        static const char* parts[] = {"{",       "}",       "\\",    "\\u-5", "\\'ff",
                                      "\\bin3 ", "\\par",   "\\fs0", "\\cf9", "x",
                                      "\r\n",    "\\*\\x{", "\\f-1", "\\ucN"};
        for (int i = Pick(60); i >= 0; --i) junk += parts[Pick(14)];
        return junk;
      }
    }
  }

  void Paste() {
    auto data = std::make_unique<QMimeData>();
    if (Pick(5) == 0) {
      data->setText(QStringLiteral("vloženo\nz textu"));
    } else {
      data->setData(QStringLiteral("text/rtf"), RandomRtf());
    }
    QApplication::clipboard()->setMimeData(data.release());
    form_.mnuPaste->trigger();
  }

  void Open() {
    const QString path = directory_.filePath(Pick(2) ? "a.pas" : "b.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Pick(2) ? RandomRtf() : QByteArray("program p;\r\nbegin\n  x := 1; { c }\rend.\n"));
    file.close();
    form_.OpenFile(path);
  }

  void Run() {
    // The five entries that open the style box.
    constexpr int kDefaultStyle = 0;
    constexpr int kHtmlStyle = 3;
    const int style = Pick(5);
    form_.CBStyl->setCurrentIndex(style);
    if (Pick(3) == 0) QTest::mouseClick(form_.TBPouzitBarvu, Qt::LeftButton);
    Document expected = form_.Bridge().ToDocument();
    const auto seen = style == kHtmlStyle ? test::ExpectMessageBox() : nullptr;
    QTest::mouseClick(form_.TBZmena, Qt::LeftButton);
    if (style == kHtmlStyle) return;
    if (style == kDefaultStyle) {
      ResetDocument(expected);
    } else {
      const int modes[] = {0, kAssemblerMode, kPascalMode, 0, kMatlabMode};
      SilentProgress progress;
      RunFormattingSteps(expected, modes[style], form_.Keywords(), form_.TBPouzitBarvu->isChecked(),
                         progress);
    }
    const Document shown = form_.Bridge().ToDocument();
    QCOMPARE(shown.Length(), expected.Length());
    for (int pos = 0; pos < expected.Length(); ++pos) {
      // The widget keeps one format for CR LF: that of the CR.
      if (expected.Text()[static_cast<std::size_t>(pos)] == u'\n') continue;
      if (!(shown.Content().FormatAt(pos) == expected.Content().FormatAt(pos))) {
        QFAIL(qPrintable(QString("the run's format differs at %1").arg(pos)));
      }
    }
  }

  TForm1& form_;
  std::mt19937 random_;
  QTemporaryDir directory_;
};

}  // namespace

class RestlessUserTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetApplicationTitle(); }

  void documentStaysWholeThroughRandomActions() {
    std::unique_ptr<TForm1> form;
    QVERIFY(test::ShowMainWindow(form));
    const int seed = FromEnvironment("MARKWELL_RESTLESS_SEED", 2026);
    const int actions = FromEnvironment("MARKWELL_RESTLESS_ACTIONS", 2000);
    RestlessUser user(*form, static_cast<unsigned>(seed));
    for (int action = 0; action < actions; ++action) {
      user.Act();
      if (QTest::currentTestFailed()) QFAIL(qPrintable(QString("at action %1").arg(action)));
      const Document document = form->Bridge().ToDocument();
      if (document.Text() != WidgetText(*form->REdit->document())) {
        QFAIL(qPrintable(
            QString("the engine's text differs from the widget's at action %1").arg(action)));
      }
      QCOMPARE(document.Content().Indices().Size(), static_cast<std::size_t>(document.Length()));
      if (document.Length() > 4000) form->mnuNovy->trigger();
    }
  }
};

QTEST_MAIN(RestlessUserTest)
#include "restless_user_test.moc"
