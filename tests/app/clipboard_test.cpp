// Copy, cut and paste through QApplication::clipboard(): RTF under its three
// names beside HTML and text, and RTF first on paste.
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QToolButton>

#include "app_test_support.h"
#include "writers/clipboard_content.h"

using namespace markwell;

namespace {

// What WordPad-like programs put on the clipboard: their own fonts, colour
// table and the Central European code page.
const char kForeignRtf[] =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Courier New;}"
    "{\\f1\\fswiss\\fcharset238 Arial;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\f0\\fs20\\b begin\\b0  x := \\cf1 'P\\'f8\\'edklad'\\cf0 ;\\par\r\n"
    "\\i\\f1\\fs28 konec\\i0\\par\r\n}\r\n";

void PutOnClipboard(const QMap<QString, QByteArray>& formats) {
  auto data = std::make_unique<QMimeData>();
  for (auto it = formats.begin(); it != formats.end(); ++it) data->setData(it.key(), it.value());
  QApplication::clipboard()->setMimeData(data.release());
}

}  // namespace

class ClipboardTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetApplicationTitle(); }
  void init() {
    QVERIFY(test::ShowMainWindow(form_));
    QApplication::clipboard()->clear();
  }
  void cleanup() { form_.reset(); }

  void copyOffersRtfHtmlAndText() {
    form_->REdit->setFocus();
    test::Type(form_->REdit, "plain Žluťoučký");
    QTest::keyClick(form_->REdit, Qt::Key_Return);
    test::Type(form_->REdit, "kůň");
    test::SelectInEditor(form_->REdit, 6, 15);  // "Žluťoučký"
    QTest::mouseClick(form_->TBTucnost, Qt::LeftButton);
    test::SelectInEditor(form_->REdit, 6, 19);  // "Žluťoučký", break, "kůň"
    form_->CBVelText->setFocus();
    QTest::mouseClick(form_->ToolButton5, Qt::LeftButton);
    // Copy leaves the focus where it was.
    QVERIFY(form_->CBVelText->hasFocus());

    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr);
    const QByteArray rtf = data->data("text/rtf");
    QVERIFY(rtf.startsWith("{\\rtf"));
    QCOMPARE(data->data("application/rtf"), rtf);
    QCOMPARE(data->data("text/richtext"), rtf);
    QVERIFY(data->hasHtml());
    QVERIFY(data->html().contains("Žluťoučký"));
    QCOMPARE(data->text(), QString("Žluťoučký\nkůň"));

    // The RTF holds the text and the bold of the first word, nothing more.
    Document pasted;
    QVERIFY(
        InsertRtf(pasted, std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size()))));
    QCOMPARE(QString::fromStdU16String(pasted.Text()), QString("Žluťoučký\r\nkůň"));
    QVERIFY(pasted.Content().FormatAt(0).style.Has(FontStyle::Bold));
    QVERIFY(!pasted.Content().FormatAt(11).style.Has(FontStyle::Bold));
  }

  void copyWithoutSelectionLeavesTheClipboard() {
    PutOnClipboard({{"text/plain", "earlier"}});
    QTest::keyClicks(form_->REdit, "abc");
    form_->mnuVlozitdoschr->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("earlier"));
  }

  void cutMovesTheSelectionToTheClipboard() {
    QTest::keyClicks(form_->REdit, "keep cut keep");
    test::SelectInEditor(form_->REdit, 0, 4);
    QTest::mouseClick(form_->TBItalic, Qt::LeftButton);
    test::SelectInEditor(form_->REdit, 5, 9);
    form_->mnuCut->trigger();
    QCOMPARE(form_->REdit->toPlainText(), QString("keep keep"));
    QCOMPARE(QApplication::clipboard()->text(), QString("cut "));
    QVERIFY(QApplication::clipboard()->mimeData()->hasFormat("text/rtf"));
    // The rest keeps its formats.
    QVERIFY(test::FormatAt(*form_, 0).style.Has(FontStyle::Italic));
    QVERIFY(!test::FormatAt(*form_, 5).style.Has(FontStyle::Italic));
  }

  void pasteRtfOfAnotherProgramIntoTheEditorWhereverTheFocusIs() {
    QTest::keyClicks(form_->REdit, ">><<");
    test::SelectInEditor(form_->REdit, 2, 2);
    PutOnClipboard({{"text/rtf", kForeignRtf}, {"text/plain", "plain version"}});
    form_->CBVelText->setFocus();
    form_->CBVelText->setEditText("12");
    QTest::mouseClick(form_->ToolButton7, Qt::LeftButton);

    QVERIFY(form_->REdit->hasFocus());
    QCOMPARE(form_->CBVelText->lineEdit()->text().contains("begin"), false);
    const Document document = form_->Bridge().ToDocument();
    const QString text = QString::fromStdU16String(document.Text());
    QVERIFY2(text.startsWith(">>begin x := 'Příklad';\r\nkonec"), qPrintable(text));
    QVERIFY(text.endsWith("<<"));
    const DocumentContent& content = document.Content();
    QCOMPARE(content.FormatAt(2).fontName, std::string("Courier New"));
    QVERIFY(content.FormatAt(2).style.Has(FontStyle::Bold));
    QCOMPARE(content.FormatAt(2).size, 10);
    QVERIFY(!content.FormatAt(8).style.Has(FontStyle::Bold));
    QCOMPARE(content.FormatAt(15).color, MakeRgb(255, 0, 0));  // 'Příklad'
    const int konec = static_cast<int>(text.indexOf("konec"));
    QVERIFY(content.FormatAt(konec).style.Has(FontStyle::Italic));
    QCOMPARE(content.FormatAt(konec).fontName, std::string("Arial"));
    QCOMPARE(content.FormatAt(konec).size, 14);
    // The two characters before the paste keep their own format.
    QCOMPARE(content.FormatAt(0).fontName, std::string("Times New Roman"));
  }

  void pasteTakesRtfThenHtmlThenText_data() {
    QTest::addColumn<QStringList>("formats");
    QTest::addColumn<QString>("pasted");
    QTest::newRow("RTF before HTML and text")
        << QStringList{"text/rtf", "text/html", "text/plain"} << "from RTF";
    QTest::newRow("text/rtf before application/rtf")
        << QStringList{"application/rtf", "text/rtf"} << "from RTF";
    QTest::newRow("application/rtf") << QStringList{"application/rtf", "text/plain"} << "other RTF";
    QTest::newRow("text/richtext") << QStringList{"text/richtext", "text/html"} << "other RTF";
    QTest::newRow("HTML before text") << QStringList{"text/html", "text/plain"} << "from HTML";
    QTest::newRow("text") << QStringList{"text/plain"} << "from text";
    QTest::newRow("broken RTF falls back")
        << QStringList{"broken/rtf", "text/plain"} << "from text";
  }
  void pasteTakesRtfThenHtmlThenText() {
    QFETCH(QStringList, formats);
    QFETCH(QString, pasted);
    const QMap<QString, QByteArray> offered = {
        {"text/rtf", "{\\rtf1\\ansi from RTF}"},
        {"application/rtf", "{\\rtf1\\ansi other RTF}"},
        {"text/richtext", "{\\rtf1\\ansi other RTF}"},
        {"broken/rtf", "not RTF at all"},
        {"text/html", "<html><body><b>from HTML</b></body></html>"},
        {"text/plain", "from text"},
    };
    QMap<QString, QByteArray> clipboard;
    for (const QString& format : formats) {
      clipboard.insert(format == "broken/rtf" ? "text/rtf" : format, offered.value(format));
    }
    PutOnClipboard(clipboard);
    form_->mnuPaste->trigger();
    QCOMPARE(form_->REdit->toPlainText(), pasted);
  }

  // Pasted text takes blocks as an opened file's: a long line is cut.
  void pastedTextTakesShortBlocks() {
    const QString line = QString("word ").repeated(1000);
    QApplication::clipboard()->setText(line + "\nnext");
    form_->mnuPaste->trigger();
    QVERIFY(form_->REdit->document()->blockCount() > 4);
    QCOMPARE(QString::fromStdU16String(form_->Bridge().ToDocument().Text()), line + "\r\nnext");
  }

  void editorKeysCarryRtfToo() {
    QTest::keyClicks(form_->REdit, "abc");
    test::SelectInEditor(form_->REdit, 0, 2);
    QTest::mouseClick(form_->TBTucnost, Qt::LeftButton);
    form_->REdit->setFocus();
    QTest::keyClick(form_->REdit, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QApplication::clipboard()->mimeData()->data("text/rtf").startsWith("{\\rtf"));
    PutOnClipboard({{"application/rtf", kForeignRtf}});
    QTest::keyClick(form_->REdit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(form_->REdit, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(form_->REdit->toPlainText().startsWith("abcbegin x := 'Příklad';"));
    QVERIFY(test::FormatAt(*form_, 3).style.Has(FontStyle::Bold));
    QCOMPARE(test::FormatAt(*form_, 3).fontName, std::string("Courier New"));
  }

  void copyAndPasteKeepFormatsAndLineBreaks() {
    QTest::keyClicks(form_->REdit, "ab");
    QTest::keyClick(form_->REdit, Qt::Key_Return);
    QTest::keyClicks(form_->REdit, "cd");
    test::SelectInEditor(form_->REdit, 1, 4);
    QTest::mouseClick(form_->TBTucnost, Qt::LeftButton);
    form_->mnuVlozitdoschr->trigger();
    QTextCursor end = form_->REdit->textCursor();
    end.movePosition(QTextCursor::End);
    form_->REdit->setTextCursor(end);
    form_->mnuPaste->trigger();
    QCOMPARE(form_->REdit->toPlainText(), QString("ab\ncdb\nc"));
    const DocumentContent content = form_->Bridge().ToDocument().Content();
    QVERIFY(content.FormatAt(6).style.Has(FontStyle::Bold));  // pasted "b"
    QVERIFY(content.FormatAt(9).style.Has(FontStyle::Bold));  // pasted "c"
  }

 private:
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
