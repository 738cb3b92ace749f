// The clipboard's flavours are made when they are asked for, from what the
// copy took: they must equal what the engine gives for the selection at the
// time of the copy, even when the document has changed
// since, and pasting them must give back the copied text.
#include <QClipboard>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <functional>

#include "app_test_support.h"
#include "mime_types.h"
#include "rich_edit.h"
#include "writers/clipboard_content.h"

using namespace markwell;

namespace {

void PasteHtml(TForm1& form, const QString& html) {
  auto data = std::make_unique<QMimeData>();
  data->setHtml(html);
  QApplication::clipboard()->setMimeData(data.release());
  form.mnuPaste->trigger();
}

// The documents, as a user makes them.
using Setup = std::function<void(TForm1&)>;

void TypedWithFormats(TForm1& form) {
  QPlainTextEdit* editor = form.REdit;
  editor->setFocus();
  test::Type(editor, QString::fromUtf8("plain Žluťoučký kůň"));
  QTest::keyClick(editor, Qt::Key_Return);
  test::Type(editor, QString::fromUtf8("second") + QChar(QChar::Nbsp) + "line");
  QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);  // a soft line break
  test::Type(editor, "soft");
  QTest::keyClick(editor, Qt::Key_Return);
  test::Type(editor, "third");
  test::SelectInEditor(editor, 6, 15);
  QTest::mouseClick(form.TBTucnost, Qt::LeftButton);
  test::SelectInEditor(editor, 12, 24);
  QTest::mouseClick(form.TBItalic, Qt::LeftButton);
  form.Bridge().SetSelectionSize(15);
  form.Bridge().SetSelectionName("Courier New");
}

void OpenedRtf(TForm1& form) {
  form.OpenFile(test::DataDir() + "rtf/pygments.rtf");
}

void PastedCentredParagraph(TForm1& form) {
  test::Type(form.REdit, "before");
  PasteHtml(form, "<p>intro</p><p align=\"center\"><b>centre</b></p><p>after</p>");
}

void PastedList(TForm1& form) {
  test::Type(form.REdit, "before");
  PasteHtml(form, "<p>intro</p><ul><li>one</li><li><b>two</b></li></ul><p>after</p>");
}

void PastedTable(TForm1& form) {
  test::Type(form.REdit, "before");
  PasteHtml(form, "<p>intro</p><table><tr><td>a</td><td><i>b</i></td></tr></table><p>after</p>");
}

// Selections, from the document's lines: [start, end).
using Pick = std::function<std::pair<int, int>(const QTextDocument&)>;

int End(const QTextDocument& document) {
  return document.characterCount() - 1;
}
// Where line `line` starts; its break ends a block or sits inside one.
int LineStart(const QTextDocument& document, int line) {
  const QString text = document.toPlainText();
  int start = 0;
  for (int i = 0; i < line && start >= 0; ++i) start = text.indexOf(u'\n', start) + 1;
  return start;
}

}  // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Pick)

class LazyClipboardTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetApplicationTitle(); }
  void init() {
    QVERIFY(test::ShowMainWindow(form_));
    QApplication::clipboard()->clear();
  }
  void cleanup() { form_.reset(); }

  void flavoursAreTheSelectionAtTheCopy_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<Pick>("pick");
    const std::pair<const char*, Setup> documents[] = {
        {"typed", TypedWithFormats},
        {"opened RTF", OpenedRtf},
        {"pasted centred paragraph", PastedCentredParagraph},
        {"pasted list", PastedList},
        {"pasted table", PastedTable},
    };
    const std::pair<const char*, Pick> selections[] = {
        {"all", [](const QTextDocument& d) { return std::pair(0, End(d)); }},
        {"from the start",
         [](const QTextDocument& d) { return std::pair(0, LineStart(d, 1) + 2); }},
        {"across lines", [](const QTextDocument& d) { return std::pair(2, LineStart(d, 1) + 3); }},
        {"from a line start",
         [](const QTextDocument& d) { return std::pair(LineStart(d, 1), End(d)); }},
        {"to just after a break",
         [](const QTextDocument& d) { return std::pair(1, LineStart(d, 2)); }},
        {"one line's end",
         [](const QTextDocument& d) { return std::pair(LineStart(d, 1) - 1, LineStart(d, 1)); }},
    };
    for (const auto& [document, setup] : documents) {
      for (const auto& [selection, pick] : selections) {
        QTest::addRow("%s, %s", document, selection) << setup << pick;
      }
    }
  }
  void flavoursAreTheSelectionAtTheCopy() {
    QFETCH(Setup, setup);
    QFETCH(Pick, pick);
    setup(*form_);
    QPlainTextEdit* editor = form_->REdit;
    QVERIFY(editor->document()->toPlainText().count(u'\n') >= 2);
    const auto [start, end] = pick(*editor->document());
    test::SelectInEditor(editor, start, end);
    // What the copy gave when it made every flavour at once.
    const QByteArray rtf = QByteArray::fromStdString(form_->Bridge().SelectionAsRtf());
    const QString html =
        QString::fromStdString(SelectionAsHtml(form_->Bridge().SelectionDocument()));
    const QString text =
        QString::fromStdString(SelectionAsText(form_->Bridge().SelectionDocument()))
            .replace("\r\n", "\n");

    form_->mnuVlozitdoschr->trigger();
    // The document changes before anyone asks for the flavours.
    editor->selectAll();
    QTest::mouseClick(form_->TBTucnost, Qt::LeftButton);
    test::Type(editor, "changed");

    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr);
    const QStringList offered = RtfMimeTypes() + QStringList{"text/html", "text/plain"};
    QCOMPARE(data->formats(), offered);
    for (const QString& type : RtfMimeTypes()) QCOMPARE(data->data(type), rtf);
    QCOMPARE(data->html(), html);
    QCOMPARE(data->text(), text);
    QCOMPARE(data->html(), html);  // asked again

    // Pasting the copy gives back the text of its RTF.
    Document copied;
    QVERIFY(
        InsertRtf(copied, std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size()))));
    QTextCursor atEnd = editor->textCursor();
    atEnd.movePosition(QTextCursor::End);
    editor->setTextCursor(atEnd);
    form_->mnuPaste->trigger();
    QCOMPARE(form_->Bridge().ToDocument().Text(), u"changed" + copied.Text());
  }

 private:
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(LazyClipboardTest)
#include "lazy_clipboard_test.moc"
