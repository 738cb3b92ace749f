// The editor as a desktop program: a file named at start-up or dropped from a
// file manager opens as the Open command would, --help and --version answer
// without a window.
#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>

#include "app_test_support.h"

using namespace markwell;

class DesktopIntegrationTest : public QObject {
  Q_OBJECT

 private:
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
  }
  static void Drop(QWidget* target, QMimeData* data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
  }

  QTemporaryDir dir_;

 private slots:
  void startupFileOpensAsTheOpenCommand() {
    TForm1 form(QStringLiteral(MARKWELL_KEYWORD_DIR));
    form.show();
    form.OpenFileReportingErrors(Write(QStringLiteral("UNIT1.PAS"), "begin\nend."));
    QCOMPARE(form.REdit->toPlainText(), QStringLiteral("begin\nend."));
    QCOMPARE(form.CBStyl->currentIndex(), 2);
  }

  void startupFileThatFailsShowsTheErrorAndStartsEmpty() {
    TForm1 form(QStringLiteral(MARKWELL_KEYWORD_DIR));
    form.show();
    const QString missing = dir_.filePath(QStringLiteral("missing.pas"));
    auto seen = test::ExpectMessageBox();
    form.OpenFileReportingErrors(missing);
    QTRY_VERIFY(seen->shown);
    QCOMPARE(seen->text, QStringLiteral("Cannot open file %1.").arg(missing));
    QVERIFY(form.REdit->toPlainText().isEmpty());
    QCOMPARE(form.CBStyl->currentIndex(), 0);
  }

  void droppedFileIsOpenedNotPasted() {
    TForm1 form(QStringLiteral(MARKWELL_KEYWORD_DIR));
    form.show();
    const QString path = Write(QStringLiteral("dropped.dpr"), "program x;");
    auto* data = new QMimeData;  // owned below
    std::unique_ptr<QMimeData> owner(data);
    data->setUrls({QUrl::fromLocalFile(path)});
    Drop(form.REdit->viewport(), data);
    QCOMPARE(form.REdit->toPlainText(), QStringLiteral("program x;"));
    QCOMPARE(form.CBStyl->currentIndex(), 2);
  }

  void droppedTextIsStillInserted() {
    TForm1 form(QStringLiteral(MARKWELL_KEYWORD_DIR));
    form.show();
    std::unique_ptr<QMimeData> data(new QMimeData);
    data->setText(QStringLiteral("dropped words"));
    Drop(form.REdit->viewport(), data.get());
    QVERIFY(form.REdit->toPlainText().contains(QStringLiteral("dropped words")));
  }

  void helpAndVersionNeedNoWindow() {
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/markwell");
    if (!QFile::exists(program)) QSKIP("the editor program is not built beside the tests");
    struct Case {
      QString option;
      QString starts;
    } cases[] = {{QStringLiteral("--help"), QStringLiteral("Usage: markwell")},
                 {QStringLiteral("--version"), QStringLiteral("markwell 1.2")}};
    for (const Case& c : cases) {
      QProcess process;
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // no display at all
      environment.remove(QStringLiteral("DISPLAY"));
      environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
      process.setProcessEnvironment(environment);
      process.start(program, {c.option});
      QVERIFY(process.waitForFinished(10000));
      QCOMPARE(process.exitCode(), 0);
      QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).startsWith(c.starts));
    }
  }
};

QTEST_MAIN(DesktopIntegrationTest)
#include "desktop_integration_test.moc"
