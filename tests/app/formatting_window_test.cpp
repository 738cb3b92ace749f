// The formatting window: how it looks, its one run in the first tick with
// the wait cursor, what it shows while the filter reports, closing before
// the first tick, and an error during the run.
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include "app_test_support.h"
#include "files/engine_error.h"
#include "run_formatting.h"

using namespace markwell;

namespace {

class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

class FormattingWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    SetApplicationTitle();
    main_ = std::make_unique<QWidget>();
    main_->resize(576, 392);
    main_->move(120, 80);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
  }
  void cleanupTestCase() { main_.reset(); }

  void windowAsCreated() {
    TForm2 form(*main_, [](ProgressView&) {});
    QVERIFY(form.windowFlags().testFlag(Qt::Tool));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(form.size(), QSize(231, 56));
    QCOMPARE(form.Label1->text(), QString("Label1"));
    // Only showing the window starts the timer.
    QVERIFY(!form.Timer1->isActive());
  }

  void runsOnceInTheFirstTickWithTheWaitCursor() {
    int runs = 0;
    bool waitCursor = false;
    bool shownWhileRunning = false;
    QPoint centre;
    QString lineWhileRunning;
    int maximumSeen = -1;
    int valueSeen = -1;
    RunFormatting(*main_, [&](ProgressView& progress) {
      ++runs;
      auto& form = dynamic_cast<TForm2&>(progress);
      shownWhileRunning = form.isVisible();
      centre = form.frameGeometry().center();
      waitCursor = QApplication::overrideCursor() != nullptr &&
                   QApplication::overrideCursor()->shape() == Qt::WaitCursor;
      progress.SetLabelCaption("Pro MATLAB.");
      lineWhileRunning = form.Label1->text();
      progress.SetBarMaximum(250);
      progress.SetBarPosition(100);
      maximumSeen = form.PB->maximum();
      valueSeen = form.PB->value();
    });
    QCOMPARE(runs, 1);
    QVERIFY(shownWhileRunning);
    QVERIFY(waitCursor);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(lineWhileRunning, QString("Pro MATLAB."));
    QCOMPARE(maximumSeen, 250);
    QCOMPARE(valueSeen, 100);
    QVERIFY((centre - main_->frameGeometry().center()).manhattanLength() <= 2);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  void barTakesEveryWriteAndIsPaintedNowAndThen() {
    constexpr int kWrites = 2000;
    constexpr qint64 kPaintInterval = 40;  // ms, the window's
    PaintCounter counter;
    bool everyValueTaken = true;
    int paintsBeforeFull = -1;
    int paintsWhenFull = -1;
    qint64 elapsed = 0;
    RunFormatting(*main_, [&](ProgressView& progress) {
      QProgressBar& bar = *dynamic_cast<TForm2&>(progress).PB;
      bar.installEventFilter(&counter);
      QElapsedTimer clock;
      clock.start();
      progress.SetBarMaximum(kWrites);
      for (int value = 1; value < kWrites; ++value) {
        progress.SetBarPosition(value);
        everyValueTaken = everyValueTaken && bar.value() == value && bar.maximum() == kWrites;
      }
      elapsed = clock.elapsed();
      paintsBeforeFull = counter.paints;
      progress.SetBarPosition(kWrites);
      paintsWhenFull = counter.paints;
      bar.removeEventFilter(&counter);
    });
    QVERIFY(everyValueTaken);
    // The new range is painted, then at most one state per interval: not
    // one per pixel the bar grows by.
    QVERIFY(paintsBeforeFull >= 1);
    QVERIFY2(paintsBeforeFull <= 2 + elapsed / kPaintInterval,
             qPrintable(QString("%1 paints in %2 ms").arg(paintsBeforeFull).arg(elapsed)));
    // The full bar is painted at once.
    QCOMPARE(paintsWhenFull, paintsBeforeFull + 1);
  }

  void emptyDocumentDrawsAnEmptyBar() {
    QProgressBar* bar = nullptr;
    int maximum = -1;
    RunFormatting(*main_, [&](ProgressView& progress) {
      progress.SetBarMaximum(0);
      progress.SetBarPosition(0);
      bar = dynamic_cast<TForm2&>(progress).PB;
      maximum = bar->maximum();
    });
    // Not Qt's busy indicator (a range of 0 to 0).
    QVERIFY(maximum > 0);
  }

  void closingBeforeTheFirstTickRunsNothing() {
    int runs = 0;
    test::WhenModal<TForm2>([](TForm2& form) { form.close(); });
    RunFormatting(*main_, [&runs](ProgressView&) { ++runs; });
    QTest::qWait(200);
    QCOMPARE(runs, 0);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  void errorOfTheRunComesAfterTheWindowHasGone() {
    int runs = 0;
    QVERIFY_THROWS_EXCEPTION(EngineError, RunFormatting(*main_, [&runs](ProgressView&) {
                               ++runs;
                               throw EngineError("filter failed");
                             }));
    QCOMPARE(runs, 1);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(main_->isEnabled());
  }

  void pictureOfTheWindow() {
    QImage picture;
    RunFormatting(*main_, [&picture](ProgressView& progress) {
      progress.SetLabelCaption("Pro Delphi kód.");
      progress.SetBarMaximum(100);
      progress.SetBarPosition(40);
      picture = dynamic_cast<TForm2&>(progress).grab().toImage();
    });
    const QString path = QDir::current().filePath("formatting_window.png");
    QVERIFY(picture.save(path));
    qInfo("picture: %s", qPrintable(path));
  }

 private:
  std::unique_ptr<QWidget> main_;
};

QTEST_MAIN(FormattingWindowTest)
#include "formatting_window_test.moc"
