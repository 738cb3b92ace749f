// The application's error box: its text rule, and its look.
#include "app_test_support.h"
#include "files/engine_error.h"

using namespace markwell;

class ErrorBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetApplicationTitle(); }

  void fullStopAfterCharactersThatSortAfterIt_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "File not found"
                            << "File not found.";
    QTest::newRow("file name") << "Cannot open file C:\\a.pas"
                               << "Cannot open file C:\\a.pas.";
    QTest::newRow("digit") << "Error 2"
                           << "Error 2.";
    QTest::newRow("slash sorts after the stop") << "a/"
                                                << "a/.";
    QTest::newRow("full stop already") << "Done."
                                       << "Done.";
    QTest::newRow("hyphen sorts before") << "x -"
                                         << "x -";
    QTest::newRow("closing parenthesis sorts before") << "(x)"
                                                      << "(x)";
    QTest::newRow("exclamation mark") << "Stop!"
                                      << "Stop!";
    QTest::newRow("blank") << "trailing "
                           << "trailing ";
    QTest::newRow("letter beyond ASCII") << "Chyba: soubor nenalezen ž"
                                         << "Chyba: soubor nenalezen ž.";
    QTest::newRow("empty") << ""
                           << "";
  }
  void fullStopAfterCharactersThatSortAfterIt() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBoxText(message), shown);
  }

  void unhandledErrorOfAHandlerGoesToTheBox() {
    const auto seen = test::ExpectMessageBox();
    bool after = false;
    Guarded([] { throw EngineError("Failed to Load Stream"); })();
    after = true;
    QVERIFY(after);
    QVERIFY(seen->shown);
    QCOMPARE(seen->title, QString("RX-Markwell"));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(seen->text, QString("Failed to Load Stream."));
    QCOMPARE(seen->buttons, 1);
  }

  void markupInAMessageIsShownAsItIs() {
    const auto seen = test::ExpectMessageBox();
    Guarded([] { throw EngineError("Cannot open file notes/<b>x</b>.pas"); })();
    QCOMPARE(seen->text, QString("Cannot open file notes/<b>x</b>.pas."));
    QCOMPARE(seen->textFormat, Qt::PlainText);
  }
};

QTEST_MAIN(ErrorBoxTest)
#include "error_box_test.moc"
