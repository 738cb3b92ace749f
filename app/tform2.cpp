#include "tform2.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>

#include "classic_font.h"

namespace markwell {

namespace {

constexpr int kTimerInterval = 100;  // ms: the window is on screen and painted first
// A run writes the bar at every tenth character; the screen shows it at
// most this often (ms).
constexpr qint64 kBarPaintInterval = 40;

// The bar shows no text, and so makes none: QProgressBar formats its text
// at every value written to decide whether the change needs a repaint.
class TextlessProgressBar : public QProgressBar {
 public:
  using QProgressBar::QProgressBar;
  QString text() const override { return isTextVisible() ? QProgressBar::text() : QString(); }
};

}  // namespace

TForm2::TForm2(QWidget& mainWindow, FormattingSteps steps)
    : QDialog(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Label1(new QLabel(QStringLiteral("Label1"), this)),
      PB(new TextlessProgressBar(this)),
      Timer1(new QTimer(this)),
      mainWindow_(mainWindow),
      steps_(std::move(steps)) {
  setWindowTitle(QStringLiteral("Formátování textu"));
  setFont(ClassicFont());
  setFixedSize(231, 56);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);

  QFont labelFont = font();
  labelFont.setPointSize(10);
  labelFont.setBold(true);
  Label1->setFont(labelFont);
  Label1->move(16, 8);
  Label1->adjustSize();

  PB->setGeometry(16, 32, 201, 17);
  PB->setRange(0, 100);
  PB->setValue(0);
  PB->setTextVisible(false);

  Timer1->setInterval(kTimerInterval);
  connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
}

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  // Centred over the main window each time it is shown.
  const QSize frame = frameGeometry().size();
  move(mainWindow_.frameGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
  FormShow();
}

void TForm2::FormShow() {
  Timer1->start();
}

void TForm2::Timer1Timer() {
  // One run per window, even when it fails.
  Timer1->stop();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The bar takes every value the run writes but is painted by BarChanged
  // only now and then.
  PB->setUpdatesEnabled(false);
  barPainted_.start();
  try {
    steps_(*this);
  } catch (...) {
    error_ = std::current_exception();
  }
  PB->setUpdatesEnabled(true);
  QApplication::restoreOverrideCursor();
  close();
}

void TForm2::SetLabelCaption(const std::string& caption) {
  Label1->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  Label1->adjustSize();
  // No events are handled during a run: paint now.
  Label1->repaint();
}

void TForm2::BarChanged() {
  // A range of 0 to 0 would make Qt's bar a busy indicator; 0 to 1 draws
  // the same empty bar.
  const int maximum = std::max(BarMaximum(), 1);
  const bool newRange = PB->maximum() != maximum;
  if (newRange) PB->setMaximum(maximum);
  PB->setValue(BarPosition());
  // No events are handled during a run: paint now, when the range has
  // changed, the bar is full, or the last painting is long enough ago.
  if (PB->updatesEnabled()) return;  // the bar paints itself
  if (!newRange && BarPosition() != maximum && !barPainted_.hasExpired(kBarPaintInterval)) return;
  PB->setUpdatesEnabled(true);
  PB->repaint();
  PB->setUpdatesEnabled(false);
  barPainted_.start();
}

}  // namespace markwell
