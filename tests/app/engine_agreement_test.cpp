// The editor and the engine give the same document for the same file and
// mode: the editor's run (menu command, formatting window, bridge) against
// the engine's RunFormattingSteps on the file itself. And the run on a
// 1 MB Pascal file stays within a second or two.
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include "app_test_support.h"
#include "bridge_formats.h"
#include "files/document_file.h"
#include "run/formatting_run.h"

using namespace markwell;

namespace {

struct EngineRun {
  Document document;
  bool selectionChanged = false;
  CharFormat lastSelectionFormat;
};

// The run as markwell-cli does it, recording what the formatting controls
// would read at each selection change.
EngineRun RunEngine(const QString& fileName, int mode, bool useColor,
                    const KeywordLists& keywords) {
  EngineRun run;
  LoadFromFile(run.document, QFile::encodeName(fileName).toStdString());
  run.document.SetSelectionChangeHandler([&run] {
    run.selectionChanged = true;
    run.lastSelectionFormat = run.document.SelectionFormat();
  });
  SilentProgress progress;
  RunFormattingSteps(run.document, mode, keywords, useColor, progress);
  run.document.SetSelectionChangeHandler(nullptr);
  return run;
}

QAction* CommandOf(TForm1& form, int mode) {
  switch (mode) {
    case kAssemblerMode:
      return form.mnuSpecTuc;
    case kPascalMode:
      return form.mnuDelphi;
    default:
      return form.mnuMatlab;
  }
}

void CompareDocuments(const Document& editor, const Document& engine) {
  QCOMPARE(QString::fromStdU16String(editor.Text()), QString::fromStdU16String(engine.Text()));
  for (int pos = 0; pos < engine.Length(); ++pos) {
    const CharFormat& expected = engine.Content().FormatAt(pos);
    // The widget keeps one format for CR LF: that of the CR.
    if (engine.Text()[static_cast<std::size_t>(pos)] == u'\n') continue;
    if (!(editor.Content().FormatAt(pos) == expected)) {
      QFAIL(qPrintable(QString("format differs at %1").arg(pos)));
    }
  }
  QCOMPARE(editor.SelStart(), engine.SelStart());
  QCOMPARE(editor.SelLength(), engine.SelLength());
}

}  // namespace

class EngineAgreementTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetApplicationTitle(); }

  void sameFormatsAsTheEngine_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("useColor");
    QTest::newRow("Pascal") << "input/unit.pas" << int(kPascalMode) << false;
    QTest::newRow("Pascal in colour") << "input/unit.pas" << int(kPascalMode) << true;
    QTest::newRow("MATLAB") << "input/script.m" << int(kMatlabMode) << false;
    QTest::newRow("assembler") << "input/listing.asm" << int(kAssemblerMode) << false;
    QTest::newRow("Pascal run over assembler") << "input/listing.asm" << int(kPascalMode) << true;
  }
  void sameFormatsAsTheEngine() {
    QFETCH(QString, file);
    QFETCH(int, mode);
    QFETCH(bool, useColor);
    const QString path = test::DataDir() + file;
    TForm1 form(test::KeywordDir());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.OpenFile(path);
    if (useColor) QTest::mouseClick(form.TBPouzitBarvu, Qt::LeftButton);
    CommandOf(form, mode)->trigger();

    const EngineRun engine = RunEngine(path, mode, useColor, form.Keywords());
    CompareDocuments(form.Bridge().ToDocument(), engine.document);
    // The controls show what the run's last selection change found.
    QVERIFY(engine.selectionChanged);
    QCOMPARE(form.TBTucnost->isChecked(), engine.lastSelectionFormat.style.Has(FontStyle::Bold));
    QCOMPARE(form.TBItalic->isChecked(), engine.lastSelectionFormat.style.Has(FontStyle::Italic));
    QCOMPARE(form.CBVelText->currentText(), QString::number(engine.lastSelectionFormat.size));
  }

  void sameFormatsAfterSavingAndOpeningAgain() {
    QTemporaryDir dir;
    const QString saved = dir.filePath("unit.rtf");
    TForm1 form(test::KeywordDir());
    form.OpenFile(test::DataDir() + "input/unit.pas");
    QTest::mouseClick(form.TBPouzitBarvu, Qt::LeftButton);
    form.mnuDelphi->trigger();
    const Document before = form.Bridge().ToDocument();
    form.SaveFile(saved);
    form.mnuNovy->trigger();
    form.OpenFile(saved);
    const Document after = form.Bridge().ToDocument();
    QCOMPARE(QString::fromStdU16String(after.Text()), QString::fromStdU16String(before.Text()));
    for (int pos = 0; pos < before.Length(); ++pos) {
      if (before.Text()[static_cast<std::size_t>(pos)] == u'\n') continue;
      QVERIFY2(after.Content().FormatAt(pos) == before.Content().FormatAt(pos),
               qPrintable(QString::number(pos)));
    }
  }

  void pascalRunOnOneMegabyte() {
    QFile source(test::DataDir() + "input/unit.pas");
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray unit = source.readAll();
    QByteArray big;
    while (big.size() < 1024 * 1024) big += unit;
    QTemporaryDir dir;
    const QString path = dir.filePath("big.pas");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(big);
    file.close();

    TForm1 form(test::KeywordDir());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QElapsedTimer clock;
    clock.start();
    form.OpenFile(path);
    const qint64 openMs = clock.restart();
    QTest::mouseClick(form.TBPouzitBarvu, Qt::LeftButton);
    clock.restart();
    form.mnuDelphi->trigger();  // shows the window, waits its 100 ms, runs, closes
    const qint64 runMs = clock.restart();
    qInfo("1 MB Pascal file (%lld bytes): open %lld ms, run %lld ms (of which 100 ms timer)",
          static_cast<long long>(big.size()), static_cast<long long>(openMs),
          static_cast<long long>(runMs));
    QVERIFY2(runMs < 10000, "the run on 1 MB took longer than it may");
    // The work was done: the last "end." is bold.
    const Document document = form.Bridge().ToDocument();
    QCOMPARE(document.SelStart(), document.Length());
  }
};

QTEST_MAIN(EngineAgreementTest)
#include "engine_agreement_test.moc"
