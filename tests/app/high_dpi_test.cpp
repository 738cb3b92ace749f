// The main window on a screen at 200 %: sizes scale with the screen and no
// caption is clipped.
#include <QApplication>
#include <QComboBox>
#include <QToolButton>
#include <QtTest>

#include "tform1.h"

using namespace markwell;

class HighDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void windowScalesAndCaptionsFit() {
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    TForm1 form(QStringLiteral(MARKWELL_KEYWORD_DIR));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Logical sizes stay those of a 96-dpi screen; the screen doubles them.
    QCOMPARE(form.frameGeometry().size(), QSize(576, 392));
    const QImage shot = form.grab().toImage();
    // MARKWELL_RENDER_DIR=dir keeps the picture, to look at.
    if (const QByteArray dir = qgetenv("MARKWELL_RENDER_DIR"); !dir.isEmpty()) {
      shot.save(QString::fromLocal8Bit(dir) + QStringLiteral("/main_window_200.png"));
    }
    QCOMPARE(shot.size(), QSize(576, 392) * 2 - (form.frameGeometry().size() - form.size()) * 2);
    for (int i = 0; i < 5; ++i) {  // the classic entries; the open list is wider
      const int needed = form.CBStyl->fontMetrics().horizontalAdvance(form.CBStyl->itemText(i));
      QVERIFY2(needed < form.CBStyl->width(), qPrintable(form.CBStyl->itemText(i)));
    }
    for (QToolButton* button : {form.ToolButton1, form.TBZmena, form.TBTucnost}) {
      QCOMPARE(button->icon().pixmap(button->iconSize(), 2.0).size(), QSize(32, 32));
    }
  }
};

int main(int argc, char** argv) {
  // The scale must be set before the application starts.
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication application(argc, argv);
  HighDpiTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "high_dpi_test.moc"
