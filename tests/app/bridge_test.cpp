// The bridge between the editor's text widget and the engine: positions,
// formats in both directions, write-back of a run, selection and base font.
#include <QAccessible>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextTable>

#include "app_test_support.h"
#include "bridge_formats.h"
#include "bridge_reader.h"
#include "line_blocks.h"
#include "rich_edit.h"
#include "run/formatting_run.h"

using namespace markwell;

namespace {

CharFormat Format(FontStyles style, TextColor color, const char* name, int size) {
  CharFormat format;
  format.style = style;
  format.color = color;
  format.fontName = name;
  format.size = size;
  return format;
}

void InsertIn(QPlainTextEdit& editor, const QString& text, const QTextCharFormat& format = {}) {
  QTextCursor cursor = editor.textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text, format);
}

}  // namespace

class BridgeTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    editor_ = std::make_unique<RichEdit>();
    bridge_ = std::make_unique<DocumentBridge>(*editor_);
  }
  void cleanup() {
    bridge_.reset();
    editor_.reset();
  }

  void textHasCrLfWherever_TheWidgetBreaksLines_data() {
    QTest::addColumn<QString>("widgetText");
    QTest::addColumn<QString>("engineText");
    QTest::newRow("one line") << "abc"
                              << "abc";
    QTest::newRow("two blocks") << "a\nb"
                                << "a\r\nb";
    QTest::newRow("empty lines") << "\n\nx\n"
                                 << "\r\n\r\nx\r\n";
    QTest::newRow("soft break") << QString("a") + QChar(0x2028) + "b"
                                << "a\r\nb";
    QTest::newRow("Czech") << "Žluťoučký\nkůň"
                           << "Žluťoučký\r\nkůň";
  }
  void textHasCrLfWherever_TheWidgetBreaksLines() {
    QFETCH(QString, widgetText);
    QFETCH(QString, engineText);
    InsertIn(*editor_, widgetText);
    const Document document = bridge_->ToDocument();
    QCOMPARE(QString::fromStdU16String(document.Text()), engineText);
  }

  void framesBecomeLineBreaks() {
    InsertIn(*editor_, "x");
    QTextCursor cursor = editor_->textCursor();
    cursor.movePosition(QTextCursor::End);
    QTextTable* table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText("p");
    table->cellAt(0, 1).firstCursorPosition().insertText("q");
    const bridge::Snapshot snapshot = bridge::ReadDocument(*editor_->document());
    const QString text = QString::fromStdU16String(snapshot.content.Text());
    QVERIFY2(!text.contains(QChar(0xFDD0)) && !text.contains(QChar(0xFDD1)), qPrintable(text));
    QVERIFY(text.contains("p\r\nq"));
    // Every widget position maps to the engine and back.
    for (int pos = 0; pos < editor_->document()->characterCount(); ++pos) {
      QCOMPARE(snapshot.positions.ToQt(snapshot.positions.ToEngine(pos)), pos);
    }
  }

  void positionsMapBothWays() {
    InsertIn(*editor_, QString("ab\ncd") + QChar(0x2028) + "e\n\nf");
    const bridge::Snapshot snapshot = bridge::ReadDocument(*editor_->document());
    const std::u16string& text = snapshot.content.Text();
    QCOMPARE(QString::fromStdU16String(text), QString("ab\r\ncd\r\ne\r\n\r\nf"));
    for (int pos = 0; pos < editor_->document()->characterCount() - 1; ++pos) {
      const int engine = snapshot.positions.ToEngine(pos);
      QCOMPARE(snapshot.positions.ToQt(engine), pos);
      const QChar widgetChar = editor_->document()->characterAt(pos);
      if (widgetChar == QChar::ParagraphSeparator || widgetChar == QChar(0x2028)) {
        QCOMPARE(text[static_cast<std::size_t>(engine)], u'\r');
      } else {
        QCOMPARE(QChar(text[static_cast<std::size_t>(engine)]), widgetChar);
      }
    }
    // Between CR and LF lies behind the break.
    QCOMPARE(snapshot.positions.ToQt(3), 3);
  }

  void formatsAreReadAsTheWidgetDrawsThem() {
    QTextCharFormat explicitFormat;
    explicitFormat.setFontFamilies({"Courier New"});
    explicitFormat.setFontPointSize(14);
    explicitFormat.setFontWeight(QFont::Bold);
    explicitFormat.setFontItalic(true);
    explicitFormat.setFontUnderline(true);
    explicitFormat.setFontStrikeOut(true);
    explicitFormat.setForeground(QColor(255, 0, 0));
    InsertIn(*editor_, "A", explicitFormat);
    QTextCharFormat black;
    black.setForeground(Qt::black);
    InsertIn(*editor_, "B", black);
    InsertIn(*editor_, "C");  // nothing of its own: the base font

    const Document document = bridge_->ToDocument();
    const DocumentContent& content = document.Content();
    QCOMPARE(content.FormatAt(0), Format(FontStyles(0x0F), MakeRgb(255, 0, 0), "Courier New", 14));
    // Black set on purpose is a colour, not the automatic one.
    QCOMPARE(content.FormatAt(1).color, MakeRgb(0, 0, 0));
    QCOMPARE(content.FormatAt(2), Format(FontStyles(), kWindowTextColor, "Times New Roman", 10));
  }

  void sizesOutsideWhatCanBeDrawnAreKept_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -7;
    QTest::newRow("huge") << 2000000000;
    QTest::newRow("ordinary") << 12;
  }
  void sizesOutsideWhatCanBeDrawnAreKept() {
    QFETCH(int, size);
    InsertIn(*editor_, "abc");
    editor_->selectAll();
    bridge_->SetSelectionSize(size);
    QCOMPARE(bridge_->SelectionFormat().size, size);
    QCOMPARE(bridge_->ToDocument().Content().FormatAt(2).size, size);
    const double drawn =
        editor_->document()->begin().begin().fragment().charFormat().fontPointSize();
    QVERIFY(drawn >= bridge::kSmallestShownSize && drawn <= bridge::kLargestShownSize);
  }

  void selectionReportsItsFirstCharacter() {
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    InsertIn(*editor_, "ab");
    InsertIn(*editor_, "cd", bold);
    test::SelectInEditor(editor_.get(), 3, 1);  // backwards, from "d" to "b"
    QVERIFY(!bridge_->SelectionFormat().style.Has(FontStyle::Bold));
    test::SelectInEditor(editor_.get(), 2, 4);
    QVERIFY(bridge_->SelectionFormat().style.Has(FontStyle::Bold));
  }

  void editWritesOnlyChangedRunsAndKeepsOtherProperties() {
    QTextCharFormat marked;
    marked.setBackground(Qt::yellow);
    marked.setFontWeight(QFont::Bold);
    InsertIn(*editor_, "plain ");
    InsertIn(*editor_, "marked", marked);
    InsertIn(*editor_, "\nsecond line");
    int changes = 0;
    connect(editor_->document(), &QTextDocument::contentsChange, this,
            [&changes](int, int, int) { ++changes; });
    const auto outcome = bridge_->Edit(ResetDocument);
    QVERIFY(!outcome.error);
    QVERIFY(outcome.selectionChanged || editor_->textCursor().position() == 0);
    // The reset took bold away; the highlight is the widget's own and stays.
    QTextBlock block = editor_->document()->begin();
    auto fragment = block.begin();
    ++fragment;
    QCOMPARE(fragment.fragment().text(), QString("marked"));
    QCOMPARE(fragment.fragment().charFormat().background().color(), QColor(Qt::yellow));
    QVERIFY(fragment.fragment().charFormat().fontWeight() < QFont::DemiBold);
    QVERIFY(changes >= 1);
    QCOMPARE(editor_->textCursor().position(), 0);
    // One undo step takes the whole edit back.
    editor_->document()->undo();
    QVERIFY(bridge_->ToDocument().Content().FormatAt(6).style.Has(FontStyle::Bold));
    QVERIFY(bridge_->ToDocument().Content().FormatAt(11).style.Has(FontStyle::Bold));
    QCOMPARE(QString::fromStdU16String(bridge_->ToDocument().Text()),
             QString("plain marked\r\nsecond line"));
  }

  void editOfUnchangedDocumentWritesNothing() {
    QTextCharFormat base = bridge::ToQtFormat(bridge_->Font().AsCharFormat());
    InsertIn(*editor_, "already plain\nand in the base font", base);
    int changes = 0;
    connect(editor_->document(), &QTextDocument::contentsChange, this,
            [&changes](int, int, int) { ++changes; });
    bridge_->Edit(ResetDocument);
    QCOMPARE(changes, 0);
  }

  void editPutsFinalSelectionAcrossLineBreaks() {
    InsertIn(*editor_, "ab\ncd\nef");
    bridge_->Edit([](Document& document) {
      document.SetSelStart(4);   // "c"
      document.SetSelLength(5);  // "cd\r\ne"
    });
    const QTextCursor cursor = editor_->textCursor();
    QCOMPARE(cursor.selectionStart(), 3);
    QCOMPARE(cursor.selectionEnd(), 7);
    QCOMPARE(cursor.selectedText(), QString("cd") + QChar::ParagraphSeparator + "e");
  }

  void lineBreakFormatsSurviveARoundTrip() {
    InsertIn(*editor_, "ab\ncd");
    bridge_->Edit([](Document& document) {
      document.SetSelStart(1);
      document.SetSelLength(3);  // "b", CR, LF
      document.SelAttributes().SetStyle(FontStyle::Italic);
      document.SetSelStart(0);
    });
    const DocumentContent content = bridge_->ToDocument().Content();
    QVERIFY(!content.FormatAt(0).style.Has(FontStyle::Italic));
    QVERIFY(content.FormatAt(1).style.Has(FontStyle::Italic));
    QVERIFY(content.FormatAt(2).style.Has(FontStyle::Italic));
    QVERIFY(content.FormatAt(3).style.Has(FontStyle::Italic));
    QVERIFY(!content.FormatAt(4).style.Has(FontStyle::Italic));
  }

  void errorOfAnEditComesAfterWhatItDidIsWritten() {
    InsertIn(*editor_, "abc");
    const auto outcome = bridge_->Edit([](Document& document) {
      document.SetSelStart(0);
      document.SetSelLength(1);
      document.SelAttributes().SetStyle(FontStyle::Bold);
      throw std::runtime_error("broken filter");
    });
    QVERIFY(outcome.error);
    QVERIFY(bridge_->ToDocument().Content().FormatAt(0).style.Has(FontStyle::Bold));
  }

  void insertionFormatOfAnEditIsWhatTypingTakes() {
    InsertIn(*editor_, "abc");
    bridge_->Edit([](Document& document) {
      document.SetSelStart(3);
      document.SelAttributes().SetStyle(FontStyle::Italic);
    });
    QTest::keyClicks(editor_.get(), "d");
    QVERIFY(bridge_->ToDocument().Content().FormatAt(3).style.Has(FontStyle::Italic));
    QVERIFY(!bridge_->ToDocument().Content().FormatAt(2).style.Has(FontStyle::Italic));
  }

  void showThenReadGivesTheSameContent() {
    Document document;
    DocumentContent content;
    content.Append(u"begin", Format(FontStyle::Bold, kWindowTextColor, "Arial", 12));
    content.Append(u"\r", Format(FontStyles(), MakeRgb(1, 2, 3), "Arial", 12));
    content.Append(u"\n  x := 'Ř';\r\n",
                   Format(FontStyle::Italic, MakeRgb(0, 128, 0), "Courier New", 9));
    content.Append(u"end.", Format(FontStyles(), kWindowTextColor, "Times New Roman", 0));
    document.ReplaceContent(content);
    bridge_->Show(document);

    const Document back = bridge_->ToDocument();
    QCOMPARE(QString::fromStdU16String(back.Text()), QString::fromStdU16String(document.Text()));
    for (int pos = 0; pos < document.Length(); ++pos) {
      // The LF of a break shares the format of its CR in the widget.
      const int source = document.Text()[static_cast<std::size_t>(pos)] == u'\n' ? pos - 1 : pos;
      QCOMPARE(back.Content().FormatAt(pos), document.Content().FormatAt(source));
    }
    QCOMPARE(editor_->textCursor().position(), 0);
  }

  // A long line is shown in blocks of a bounded length, cut after a space
  // where it has one; the block ends between them are no characters of the
  // text, for reading, positions, written formats and the keys beside them.
  void longLinesAreShownInShortBlocks() {
    std::u16string line;
    while (line.size() < 3000) line += u"word ";
    line += std::u16string(3000, u'x');
    const std::u16string text = line + u"\r\n" + line;
    Document document;
    document.SetText(text);
    bridge_->Show(document);
    QTextDocument& shown = *editor_->document();
    QVERIFY(shown.blockCount() > 10);
    for (QTextBlock block = shown.begin(); block.isValid(); block = block.next()) {
      QVERIFY(block.length() <= blocks::kLongestUnbrokenBlock + 1);
    }
    QVERIFY(shown.firstBlock().text().endsWith(QLatin1Char(' ')));
    QCOMPARE(bridge_->ToDocument().Text(), text);

    // Positions on both sides of every join map to the same engine text.
    const bridge::Snapshot snapshot = bridge::ReadDocument(shown);
    for (int pos = 0; pos < shown.characterCount() - 1; ++pos) {
      const int engine = snapshot.positions.ToEngine(pos);
      const QChar widgetChar = shown.characterAt(pos);
      if (widgetChar != QChar::ParagraphSeparator) {
        QCOMPARE(QChar(text[static_cast<std::size_t>(engine)]), widgetChar);
        QCOMPARE(snapshot.positions.ToQt(engine), pos);
      }
    }

    // A run's formats leave the joins where they are.
    const int blocks = shown.blockCount();
    bridge_->Edit([](Document& d) {
      d.SelectAll();
      d.SelAttributes().SetStyle(FontStyle::Bold);
    });
    QCOMPARE(shown.blockCount(), blocks);
    QCOMPARE(bridge_->ToDocument().Text(), text);
    QCOMPARE(bridge_->ToDocument().Content().FormatAt(2999).style, FontStyles(FontStyle::Bold));

    // Backspace after a join and Delete before one reach the characters
    // beside it; Enter adds a line break; undo brings the text back.
    const QTextBlock second = shown.firstBlock().next();
    QVERIFY(blocks::StartsAfterJoin(second));
    const auto atJoin = static_cast<std::size_t>(second.position() - 1);
    QTextCursor caret(second);
    editor_->setTextCursor(caret);
    QTest::keyClick(editor_.get(), Qt::Key_Backspace);
    QTest::keyClick(editor_.get(), Qt::Key_Delete);
    QTest::keyClick(editor_.get(), Qt::Key_Return);
    std::u16string edited = text;
    edited.replace(atJoin - 1, 2, u"\r\n");
    QCOMPARE(bridge_->ToDocument().Text(), edited);
    for (int step = 0; step < 3; ++step) editor_->undo();
    QCOMPARE(bridge_->ToDocument().Text(), text);
  }

  // Short lines share a block, a line separator between them; the text
  // reads back whole, Backspace at a line's start joins it to the line
  // before, and a triple click selects one line of the text, across joins.
  void shortLinesShareBlocks() {
    std::u16string text;
    for (int line = 0; line < 300; ++line)
      text += u"line" + std::u16string(line % 9, u'x') + u"\r\n";
    std::u16string longLine;
    while (longLine.size() < 3000) longLine += u"word ";
    text += longLine + u"\r\nlast";
    Document document;
    document.SetText(text);
    bridge_->Show(document);
    QTextDocument& shown = *editor_->document();
    QVERIFY(shown.blockCount() < 20);
    QCOMPARE(bridge_->ToDocument().Text(), text);

    editor_->resize(400, 300);
    editor_->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
    const auto tripleClick = [this](int pos) {
      QTextCursor at(editor_->document());
      at.setPosition(pos);
      editor_->setTextCursor(at);
      editor_->ensureCursorVisible();
      QApplication::processEvents();
      const QPoint point = editor_->cursorRect().center() + QPoint(1, 0);
      QTest::mouseDClick(editor_->viewport(), Qt::LeftButton, {}, point);
      QTest::mouseClick(editor_->viewport(), Qt::LeftButton, {}, point);
      return editor_->textCursor().selectedText();
    };
    QCOMPARE(tripleClick(shown.toPlainText().indexOf("linexx") + 2), QString("linexx"));
    const int longStart = shown.toPlainText().indexOf("word");
    QCOMPARE(tripleClick(longStart + 2000).remove(QChar::ParagraphSeparator),
             QString::fromStdU16String(longLine));

    QTextCursor caret(&shown);
    caret.setPosition(shown.toPlainText().indexOf("linex"));
    editor_->setTextCursor(caret);
    QTest::keyClick(editor_.get(), Qt::Key_Backspace);
    std::u16string joined = text;
    joined.erase(joined.find(u"\r\nlinex"), 2);
    QCOMPARE(bridge_->ToDocument().Text(), joined);
  }

  // A screen reader hears the text's own line ends at line separators and
  // nothing at a join, and gets each character's attributes.
  void screenReaderReadsTheTextAsItIs() {
    std::u16string longLine;
    while (longLine.size() < 1100) longLine += u"word ";
    const std::u16string text = u"first\r\nsecond\r\n" + longLine;
    Document document;
    document.SetText(text);
    document.SetSelStart(7);
    document.SetSelLength(6);
    document.SelAttributes().SetStyle(FontStyle::Bold);
    bridge_->Show(document);
    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(editor_.get())->textInterface();
    QVERIFY(reader);
    const QString read = reader->text(0, reader->characterCount());
    QCOMPARE(read.count(QChar(0x200B)), 1);
    QCOMPARE(QString(read).remove(QChar(0x200B)),
             QString::fromStdU16String(text).replace("\r\n", "\n"));
    int start = 0;
    int end = 0;
    QCOMPARE(reader->textAtOffset(9, QAccessible::LineBoundary, &start, &end).trimmed(),
             QString("second"));
    QVERIFY(reader->attributes(9, &start, &end).contains("font-weight:700;"));
    QVERIFY(reader->attributes(2, &start, &end).contains("font-weight:400;"));
  }

  void showLeavesACaretAtTheStartAndIsOneUndoStep() {
    InsertIn(*editor_, "old text, all selected");
    editor_->selectAll();
    Document document;
    document.SetText(u"first\r\nsecond");
    bridge_->Show(document);
    const QTextCursor caret = editor_->textCursor();
    QCOMPARE(caret.position(), 0);
    QCOMPARE(caret.anchor(), 0);
    QTest::keyClicks(editor_.get(), "x");
    QCOMPARE(editor_->toPlainText(), QString("xfirst\nsecond"));
    editor_->undo();
    QCOMPARE(editor_->toPlainText(), QString("first\nsecond"));
    editor_->undo();
    QCOMPARE(editor_->toPlainText(), QString("old text, all selected"));
  }

  void newBaseFontLeavesExistingTextAlone() {
    InsertIn(*editor_, "typed");  // takes its look from the base font
    BaseFont font = bridge_->Font();
    font.SetName("Courier New");
    font.SetSize(16);
    font.SetStyle(FontStyle::Bold);
    bridge_->SetFont(font);
    QCOMPARE(bridge_->ToDocument().Content().FormatAt(0),
             Format(FontStyles(), kWindowTextColor, "Times New Roman", 10));
    editor_->clear();
    bridge_->Clear();
    QTest::keyClicks(editor_.get(), "new");
    QCOMPARE(bridge_->ToDocument().Content().FormatAt(0),
             Format(FontStyle::Bold, kWindowTextColor, "Courier New", 16));
  }

 private:
  std::unique_ptr<RichEdit> editor_;
  std::unique_ptr<DocumentBridge> bridge_;
};

QTEST_MAIN(BridgeTest)
#include "bridge_test.moc"
