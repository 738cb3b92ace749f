// The program's identity record and its About dialog, driven as a user would:
// the About command runs a modal dialog, which the tests read and then close
// with the mouse or the keyboard.
#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "about_form.h"
#include "program_info.h"

using markwell::ProgramInfo;
using markwell::TForm10;
using markwell::TJazyk;

namespace {

// What a test reads off an open dialog before it closes it.
struct DialogSnapshot {
  QPointer<TForm10> dialog;
  bool modal = false;
  QString caption;
  QStringList labels;  // Label1 .. Label13
  QString note;
  int noteCursor = -1;
  bool pictureEmpty = true;
  bool closedByAction = false;
};

// Runs `command` (which is expected to show the About dialog modally), calls
// `inspect` on every dialog that opens and then `close` on it. A dialog that
// the close action leaves open is rejected after a while, so a fault fails
// the test instead of hanging it.
class ModalDriver {
 public:
  using Action = std::function<void(TForm10&)>;

  QList<DialogSnapshot> Run(const std::function<void()>& command, const Action& close,
                            const Action& inspect = {}) {
    QList<DialogSnapshot> seen;
    QTimer poll;
    poll.setInterval(10);
    QPointer<TForm10> current;
    int ticksOpen = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<TForm10*>(QApplication::activeModalWidget());
      if (dialog == nullptr || !dialog->isVisible()) return;
      if (dialog != current) {
        current = dialog;
        ticksOpen = 0;
        seen.append(Snapshot(*dialog));
        if (inspect) inspect(*dialog);
        close(*dialog);
        return;
      }
      if (++ticksOpen > 50) {
        seen.last().closedByAction = false;
        dialog->reject();
      }
    });
    poll.start();
    command();
    poll.stop();
    return seen;
  }

 private:
  // Pictures of the dialogs, for looking at: MARKWELL_RENDER_DIR=/some/dir.
  static void SaveRendering(TForm10& dialog) {
    const QString dir = qEnvironmentVariable("MARKWELL_RENDER_DIR");
    if (dir.isEmpty()) return;
    QString name = QString::fromLatin1(QTest::currentTestFunction());
    if (const char* tag = QTest::currentDataTag()) name += '_' + QString::fromUtf8(tag);
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
    dialog.grab().save(dir + '/' + name + ".png");
  }

  static DialogSnapshot Snapshot(TForm10& dialog) {
    DialogSnapshot shot;
    shot.dialog = &dialog;
    shot.modal = dialog.isModal() && QApplication::activeModalWidget() == &dialog;
    shot.caption = dialog.windowTitle();
    for (int i = 1; i <= 13; ++i) {
      auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
      shot.labels.append(label != nullptr ? label->text() : QStringLiteral("<missing>"));
    }
    shot.note = dialog.Edit1->text();
    shot.noteCursor = dialog.Edit1->cursorPosition();
    const QPixmap picture = dialog.Image2->pixmap();
    shot.pictureEmpty = picture.isNull();
    shot.closedByAction = true;
    SaveRendering(dialog);
    return shot;
  }
};

void ClickClose(TForm10& dialog) {
  QTest::mouseClick(dialog.Button1, Qt::LeftButton);
}

ProgramInfo FilledInfo() {
  ProgramInfo info;
  info.SetAutor(QStringLiteral("Jana Nováková"));
  info.SetSpolecnost(QStringLiteral("Příklad s.r.o."));
  info.SetAplikace(QStringLiteral("Zkouška"));
  info.SetVerze(QStringLiteral("2.0"));
  info.SetDatum(QStringLiteral("1.1.2006"));
  info.SetJazyk(TJazyk::EN);
  info.SetMail(QStringLiteral("jana@example.net"));
  info.SetHttp(QStringLiteral("example.net/zkouska"));
  info.SetCopyright(QStringLiteral("© 2006 Příklad"));
  info.SetKolegove(QStringLiteral("Poznámka ke zkoušce"));
  return info;
}

}  // namespace

class AboutTest : public QObject {
  Q_OBJECT

 private slots:
  void newComponentIsBlank();
  void versionLine_data();
  void versionLine();
  void keyNameRules_data();
  void keyNameRules();
  void markwellIdentity();
  void dialogShowsTheRecord_data();
  void dialogShowsTheRecord();
  void dialogLayout();
  void storedTextsFitTheirBoxes();
  void closeActions_data();
  void closeActions();
  void keysThatDoNotClose_data();
  void keysThatDoNotClose();
  void eachCommandGetsAFreshDialog();
};

void AboutTest::newComponentIsBlank() {
  const ProgramInfo info;
  for (const QString& text : {info.Autor(), info.Spolecnost(), info.Aplikace(), info.Verze(),
                              info.Datum(), info.Mail(), info.Http(), info.Copyright(),
                              info.RegHlavniKlic(), info.RegKlicAplikace(), info.Kolegove()}) {
    QVERIFY(text.isEmpty());
  }
  QCOMPARE(info.Jazyk(), TJazyk::CZ);
  QVERIFY(!info.StejnyRegNazev());
  QVERIFY(!info.Picture().has_value());

  ProgramInfo withNull;
  withNull.SetPicture(QPixmap());
  QVERIFY2(!withNull.Picture().has_value(), "a null pixmap is no picture");
}

void AboutTest::versionLine_data() {
  QTest::addColumn<QString>("verze");
  QTest::addColumn<QString>("datum");
  QTest::addColumn<TJazyk>("jazyk");
  QTest::addColumn<QString>("expected");
  const auto row = [](const char* tag, const char* verze, const char* datum, TJazyk jazyk,
                      const char* expected) {
    QTest::newRow(tag) << QString(verze) << QString(datum) << jazyk << QString(expected);
  };
  row("this program", "1.2", "14.3.2005", TJazyk::CZ, "1.2  14.3.2005 Cz");
  row("english edition", "2.0", "1.1.2006", TJazyk::EN, "2.0  1.1.2006 En");
  row("german edition", "3", "x", TJazyk::DE, "3  x De");
  row("slovak edition, no date", "0.9", "", TJazyk::SK, "0.9   Sk");
  row("empty version and date", "", "", TJazyk::CZ, "   Cz");
}

void AboutTest::versionLine() {
  QFETCH(QString, verze);
  QFETCH(QString, datum);
  QFETCH(TJazyk, jazyk);
  QFETCH(QString, expected);
  ProgramInfo info;
  info.SetVerze(verze);
  info.SetDatum(datum);
  info.SetJazyk(jazyk);
  QCOMPARE(info.VersionLine(), expected);
}

// Each step is one property write: "A<name>" Aplikace, "R<name>" RegKlicAplikace,
// "S1"/"S0" the same-name switch.
void AboutTest::keyNameRules_data() {
  QTest::addColumn<QStringList>("steps");
  QTest::addColumn<QString>("expectedKey");
  QTest::addColumn<QString>("expectedAplikace");
  const auto row = [](const char* tag, const QStringList& steps, const char* key,
                      const char* aplikace) {
    QTest::newRow(tag) << steps << QString(key) << QString(aplikace);
  };
  row("name follows while on", {"S1", "Aone", "Atwo"}, "two", "two");
  row("name ignored while off", {"Rkey", "Aone"}, "key", "one");
  row("switching on copies at once", {"Aone", "S1"}, "one", "one");
  row("switching off keeps the copy", {"Aone", "S1", "S0", "Atwo"}, "one", "two");
  row("direct write stored while on", {"S1", "Aone", "Rkey"}, "key", "one");
  row("next name overrides direct write", {"S1", "Rkey", "Atwo"}, "two", "two");
  row("switching on with empty name clears the key", {"Rkey", "S1"}, "", "");
  row("stored order: name, key, switch", {"Aapp", "Rother", "S1"}, "app", "app");
}

void AboutTest::keyNameRules() {
  QFETCH(QStringList, steps);
  QFETCH(QString, expectedKey);
  QFETCH(QString, expectedAplikace);
  ProgramInfo info;
  for (const QString& step : steps) {
    const QString value = step.mid(1);
    switch (step.at(0).toLatin1()) {
      case 'A':
        info.SetAplikace(value);
        break;
      case 'R':
        info.SetRegKlicAplikace(value);
        break;
      case 'S':
        info.SetStejnyRegNazev(value == QLatin1String("1"));
        break;
      default:
        QFAIL(qPrintable("bad step " + step));
    }
  }
  QCOMPARE(info.RegKlicAplikace(), expectedKey);
  QCOMPARE(info.Aplikace(), expectedAplikace);
}

void AboutTest::markwellIdentity() {
  ProgramInfo info;
  info.SetRegKlicAplikace(QStringLiteral("stale"));
  markwell::ApplyMarkwellIdentity(info);
  QCOMPARE(info.Aplikace(), QStringLiteral("Markwell"));
  QCOMPARE(info.VersionLine(), QStringLiteral("1.2  14.3.2005 Cz"));
  QCOMPARE(info.RegKlicAplikace(), info.Aplikace());
  QVERIFY(info.StejnyRegNazev());
  QCOMPARE(info.Kolegove(), QStringLiteral("Vytvořeno jako studíjní pomůcka"));
  for (const QString& text : {info.Autor(), info.Spolecnost(), info.Mail(), info.Http(),
                              info.Copyright(), info.RegHlavniKlic()}) {
    QVERIFY2(!text.isEmpty(), "the maker's details are all filled in");
  }
  QVERIFY2(!info.Http().startsWith(QLatin1String("http")), "the dialog adds the scheme itself");
}

void AboutTest::dialogShowsTheRecord_data() {
  QTest::addColumn<int>("which");
  QTest::addColumn<QString>("caption");
  QTest::newRow("Markwell") << 0 << "Informace o aplikaci: Markwell";
  QTest::newRow("all filled, english") << 1 << "Informace o aplikaci: Zkouška";
  QTest::newRow("blank component") << 2 << "Informace o aplikaci: ";
}

void AboutTest::dialogShowsTheRecord() {
  QFETCH(int, which);
  QFETCH(QString, caption);
  ProgramInfo info;
  if (which == 0) markwell::ApplyMarkwellIdentity(info);
  if (which == 1) info = FilledInfo();

  ModalDriver driver;
  const QList<DialogSnapshot> shown = driver.Run([&] { info.ShowAbout(); }, ClickClose);
  QCOMPARE(shown.size(), 1);
  const DialogSnapshot& shot = shown.first();
  QVERIFY(shot.modal);
  QCOMPARE(shot.caption, caption);
  const QMap<int, QString> expected{
      {1, info.Copyright()},   {2, info.Aplikace()}, {3, info.Aplikace()}, {4, info.Spolecnost()},
      {5, info.Spolecnost()},  {6, "Autor:"},        {7, info.Autor()},    {8, "Verze:"},
      {9, info.VersionLine()}, {10, "E-mail: "},     {11, info.Mail()},    {12, "http://"},
      {13, info.Http()}};
  for (auto it = expected.begin(); it != expected.end(); ++it) {
    const QString& text = shot.labels.at(it.key() - 1);
    QVERIFY2(
        text == it.value(),
        qPrintable(
            QStringLiteral("Label%1: '%2', expected '%3'").arg(it.key()).arg(text, it.value())));
  }
  QCOMPARE(shot.note, info.Kolegove());
  QCOMPARE(shot.noteCursor, 0);
  QVERIFY2(shot.pictureEmpty, "no picture leaves Image2 empty");
  QVERIFY(shot.closedByAction);
  QVERIFY2(shot.dialog.isNull(), "the dialog is destroyed after it closes");
}

void AboutTest::dialogLayout() {
  ProgramInfo info = FilledInfo();
  QPixmap picture(48, 48);
  picture.fill(Qt::darkGreen);
  info.SetPicture(picture);

  struct Layout {
    QSize client, minimum, maximum;
    QPoint centreOffset;
    Qt::WindowFlags flags;
    QMap<QString, QRect> geometry;
    QMap<QString, QColor> colors;
    bool editReadOnly = false, editFramed = true, editTabStop = true;
    QString button;
    QPixmap picture1;
    QSize picture2;
  } seen;
  const QStringList names{"Panel1", "Image1",  "Image2", "Label2",  "Label3",  "Label4",
                          "Label5", "Label9",  "Label7", "Label11", "Label13", "Edit1",
                          "Label1", "Button1", "Bevel1", "Bevel2"};

  // An active main window away from the middle: the dialog still goes to the desktop's centre.
  QWidget mainWindow;
  mainWindow.setGeometry(10, 10, 200, 150);
  mainWindow.show();
  mainWindow.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&mainWindow));

  ModalDriver driver;
  driver.Run([&] { info.ShowAbout(); }, ClickClose,
             [&](TForm10& dialog) {
               seen.client = dialog.size();
               seen.centreOffset = dialog.frameGeometry().center() -
                                   QGuiApplication::primaryScreen()->geometry().center();
               seen.minimum = dialog.minimumSize();
               seen.maximum = dialog.maximumSize();
               seen.flags = dialog.windowFlags();
               for (const QString& name : names) {
                 if (auto* widget = dialog.findChild<QWidget*>(name))
                   seen.geometry[name] = widget->geometry();
               }
               for (const char* name :
                    {"Label2", "Label3", "Label4", "Label5", "Label7", "Label9", "Label11"}) {
                 auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
                 seen.colors[QLatin1String(name)] = label->palette().color(QPalette::WindowText);
               }
               seen.colors["Panel1"] = dialog.Panel1->palette().color(QPalette::Window);
               seen.colors["Edit1"] = dialog.Edit1->palette().color(QPalette::Base);
               seen.editReadOnly = dialog.Edit1->isReadOnly();
               seen.editFramed = dialog.Edit1->hasFrame();
               seen.editTabStop = (dialog.Edit1->focusPolicy() & Qt::TabFocus) != 0;
               seen.button = dialog.Button1->text();
               seen.picture1 = dialog.Image1->pixmap();
               seen.picture2 = dialog.Image2->pixmap().size();
             });

  QCOMPARE(seen.client, QSize(299, 185));
  QCOMPARE(seen.minimum, seen.client);
  QCOMPARE(seen.maximum, seen.client);
  QVERIFY2(seen.centreOffset.manhattanLength() <= 40, "centred on the desktop");
  QVERIFY(seen.flags.testFlag(Qt::WindowCloseButtonHint));
  for (Qt::WindowType unwanted : {Qt::WindowContextHelpButtonHint, Qt::WindowMinimizeButtonHint,
                                  Qt::WindowMaximizeButtonHint}) {
    QVERIFY(!seen.flags.testFlag(unwanted));
  }

  const QMap<QString, QRect> expected{
      {"Panel1", {8, 8, 281, 145}},    {"Image1", {8, 16, 69, 108}},
      {"Image2", {240, 40, 32, 32}},   {"Label2", {88, 8, 185, 23}},
      {"Label3", {86, 7, 185, 23}},    {"Label4", {88, 120, 190, 23}},
      {"Label5", {86, 119, 190, 23}},  {"Label9", {128, 40, 113, 13}},
      {"Label7", {120, 57, 121, 15}},  {"Label11", {128, 72, 145, 16}},
      {"Label13", {120, 90, 161, 14}}, {"Edit1", {88, 104, 186, 17}},
      {"Label1", {8, 160, 201, 13}},   {"Button1", {216, 160, 73, 17}},
      {"Bevel1", {80, 8, 2, 129}},     {"Bevel2", {88, 32, 185, 2}}};
  for (auto it = expected.begin(); it != expected.end(); ++it) {
    QVERIFY2(seen.geometry.contains(it.key()), qPrintable(it.key() + " missing"));
    QCOMPARE(seen.geometry.value(it.key()), it.value());
  }

  QCOMPARE(seen.colors["Label3"], QColor(Qt::red));
  QCOMPARE(seen.colors["Label5"], QColor(Qt::blue));
  QCOMPARE(seen.colors["Label7"], QColor(Qt::blue));
  QCOMPARE(seen.colors["Label11"], QColor(0, 0, 0x80));
  QCOMPARE(seen.colors["Label9"], QColor(Qt::black));
  QCOMPARE(seen.colors["Label2"], seen.colors["Label4"]);
  QVERIFY2(seen.colors["Label2"] != seen.colors["Label3"], "the title has a visible shadow");
  QCOMPARE(seen.colors["Panel1"], QColor(0xC0, 0xC0, 0xC0));
  QCOMPARE(seen.colors["Edit1"], seen.colors["Panel1"]);

  QVERIFY(seen.editReadOnly);
  QVERIFY(!seen.editFramed);
  QVERIFY2(!seen.editTabStop, "Tab skips the note");
  QCOMPARE(seen.button, QStringLiteral("&Zavřít"));
  QCOMPARE(seen.picture1.size(), QSize(69, 108));
  QCOMPARE(seen.picture2, QSize(48, 48));  // shown unscaled, clipped by the 32 x 32 box
}

// With the fallback fonts of a machine without the original faces, this
// program's own texts must still fit their fixed boxes, and the captions must
// end before the values beside them begin.
void AboutTest::storedTextsFitTheirBoxes() {
  ProgramInfo info;
  markwell::ApplyMarkwellIdentity(info);
  TForm10 dialog;
  const QList<QPair<QLabel*, QString>> boxes{
      {dialog.Label2, info.Aplikace()},    {dialog.Label4, info.Spolecnost()},
      {dialog.Label9, info.VersionLine()}, {dialog.Label7, info.Autor()},
      {dialog.Label11, info.Mail()},       {dialog.Label13, info.Http()},
      {dialog.Label1, info.Copyright()}};
  for (const auto& [label, text] : boxes) {
    const QFontMetrics metrics(label->font());
    QVERIFY2(metrics.horizontalAdvance(text) <= label->width(),
             qPrintable(label->objectName() + " clips '" + text + "'"));
  }
  const QFontMetrics noteMetrics(dialog.Edit1->font());
  QVERIFY2(noteMetrics.horizontalAdvance(info.Kolegove()) + 4 <= dialog.Edit1->width(),
           "the note fits its field");

  const QList<QPair<QLabel*, QWidget*>> captions{{dialog.Label8, dialog.Label9},
                                                 {dialog.Label6, dialog.Label7},
                                                 {dialog.Label10, dialog.Label11},
                                                 {dialog.Label12, dialog.Label13}};
  for (const auto& [caption, value] : captions) {
    const int textEnd =
        caption->x() + QFontMetrics(caption->font()).horizontalAdvance(caption->text());
    QVERIFY2(textEnd <= value->x(),
             qPrintable(caption->objectName() + " runs into " + value->objectName()));
    QVERIFY2(caption->width() >= textEnd - caption->x(),
             qPrintable(caption->objectName() + " is cut off"));
  }
}

void AboutTest::closeActions_data() {
  QTest::addColumn<int>("action");
  QTest::newRow("click Zavřít") << 0;
  QTest::newRow("Alt+Z") << 1;
  QTest::newRow("Enter on the focused button") << 2;
  QTest::newRow("close box") << 3;
}

void AboutTest::closeActions() {
  QFETCH(int, action);
  ProgramInfo info;
  markwell::ApplyMarkwellIdentity(info);
  ModalDriver driver;
  const QList<DialogSnapshot> shown =
      driver.Run([&] { info.ShowAbout(); },
                 [&](TForm10& dialog) {
                   switch (action) {
                     case 0:
                       QTest::mouseClick(dialog.Button1, Qt::LeftButton);
                       break;
                     case 1:
                       QTest::keyClick(&dialog, Qt::Key_Z, Qt::AltModifier);
                       break;
                     case 2:
                       dialog.Button1->setFocus();
                       QTest::keyClick(dialog.Button1, Qt::Key_Return);
                       break;
                     default:
                       dialog.close();
                       break;
                   }
                 });
  QCOMPARE(shown.size(), 1);
  QVERIFY2(shown.first().closedByAction, "the dialog closed");
  QVERIFY(shown.first().dialog.isNull());
}

// No cancel button and no default button: these keys leave the dialog open.
void AboutTest::keysThatDoNotClose_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<bool>("focusNote");
  QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
  QTest::newRow("Escape in the note") << int(Qt::Key_Escape) << true;
  QTest::newRow("Enter in the note") << int(Qt::Key_Return) << true;
}

void AboutTest::keysThatDoNotClose() {
  QFETCH(int, key);
  QFETCH(bool, focusNote);
  ProgramInfo info;
  markwell::ApplyMarkwellIdentity(info);
  bool openAfterKey = false;
  bool noteFocused = false;
  ModalDriver driver;
  driver.Run([&] { info.ShowAbout(); },
             [&](TForm10& dialog) {
               QWidget* target = &dialog;
               if (focusNote) {
                 QTest::mouseClick(dialog.Edit1, Qt::LeftButton);
                 noteFocused = dialog.Edit1->hasFocus();
                 target = dialog.Edit1;
               }
               QTest::keyClick(target, Qt::Key(key));
               openAfterKey = dialog.isVisible();
               ClickClose(dialog);
             });
  if (focusNote) QVERIFY2(noteFocused, "a click puts the focus into the note");
  QVERIFY(openAfterKey);
}

void AboutTest::eachCommandGetsAFreshDialog() {
  ProgramInfo info;
  markwell::ApplyMarkwellIdentity(info);
  QList<bool> earlierGone;
  QList<DialogSnapshot> all;
  ModalDriver driver;
  for (int i = 0; i < 2; ++i) {
    earlierGone.append(all.isEmpty() || all.last().dialog.isNull());
    all += driver.Run([&] { info.ShowAbout(); }, ClickClose);
  }
  QCOMPARE(all.size(), 2);
  QCOMPARE(earlierGone, (QList<bool>{true, true}));
  QCOMPARE(all.at(0).caption, all.at(1).caption);
  QCOMPARE(all.at(0).labels, all.at(1).labels);
  QCOMPARE(all.at(0).note, all.at(1).note);
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    QVERIFY2(qobject_cast<TForm10*>(widget) == nullptr, "no dialog outlives its command");
  }
}

QTEST_MAIN(AboutTest)
#include "about_test.moc"
