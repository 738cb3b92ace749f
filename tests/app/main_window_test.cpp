// The main window as it starts: caption, size, toolbar and menu as laid
// out, font list, access keys, start-up errors; and a picture of it.
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

#include "access_keys.h"
#include "app_test_support.h"

using namespace markwell;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetApplicationTitle(); }
  void init() { form_ = std::make_unique<TForm1>(test::KeywordDir()); }
  void cleanup() { form_.reset(); }

  void windowAsItStarts() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QCOMPARE(form_->windowTitle(), QString("Editor pro úpravu kódu programu"));
    QCOMPARE(form_->frameGeometry().size(), QSize(576, 392));
    const QRect desktop = form_->screen()->availableGeometry();
    QVERIFY(qAbs(form_->frameGeometry().center().x() - desktop.center().x()) <= 1);
    QVERIFY(qAbs(form_->frameGeometry().center().y() - desktop.center().y()) <= 1);
    QVERIFY(!form_->windowIcon().isNull());
    QCOMPARE(form_->ToolBar1->height(), 26);
    // The editor fills what the menu and toolbar leave.
    QCOMPARE(form_->REdit->geometry().top(), form_->ToolBar1->geometry().bottom() + 1);
    QVERIFY(form_->REdit->tabChangesFocus());
    QCOMPARE(form_->REdit->lineWrapMode(), QTextEdit::WidgetWidth);
  }

  void toolbarInOrder() {
    QList<QWidget*> expected = {
        form_->ToolButton1,  form_->ToolButton2,   form_->ToolButton3,  form_->ToolButton4,
        form_->ToolButton5,  form_->ToolButton6,   form_->ToolButton7,  form_->ToolButton8,
        form_->CBStyl,       form_->TBPouzitBarvu, form_->TBZmena,      form_->ToolButton12,
        form_->TBTucnost,    form_->TBItalic,      form_->ToolButton10, form_->CBFont,
        form_->ToolButton11, form_->CBVelText,     form_->ToolButton13, form_->TBHelp};
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    int left = -1;
    for (QWidget* widget : expected) {
      QVERIFY(widget->isVisible());
      QVERIFY2(widget->x() > left, qPrintable(widget->objectName()));
      left = widget->x();
    }
    const QStringList hints = {"Vyčistit papír",
                               "Načíst soubor",
                               "Uložit do",
                               "Kopírovat do schránky",
                               "Přesunout do schránky",
                               "Vložit ze schránky",
                               "Použít i barvu",
                               "Vytučnění kódu",
                               "Tučné písmo",
                               "Kurziva",
                               ""};
    const QList<QToolButton*> buttons = {
        form_->ToolButton1, form_->ToolButton2, form_->ToolButton3,   form_->ToolButton5,
        form_->ToolButton6, form_->ToolButton7, form_->TBPouzitBarvu, form_->TBZmena,
        form_->TBTucnost,   form_->TBItalic,    form_->TBHelp};
    for (int i = 0; i < buttons.size(); ++i) {
      QCOMPARE(buttons[i]->toolTip(), hints[i]);
      QCOMPARE(buttons[i]->size(), QSize(23, 22));
      QCOMPARE(buttons[i]->iconSize(), QSize(16, 16));
      QVERIFY(!buttons[i]->icon().isNull());
    }
    for (QFrame* separator : {form_->ToolButton4, form_->ToolButton8, form_->ToolButton12,
                              form_->ToolButton10, form_->ToolButton11, form_->ToolButton13}) {
      QCOMPARE(separator->width(), 8);
    }
    QVERIFY(form_->TBPouzitBarvu->isCheckable() && !form_->TBPouzitBarvu->isChecked());
    QVERIFY(form_->TBTucnost->isCheckable() && form_->TBItalic->isCheckable());
    QVERIFY(!form_->TBZmena->isCheckable());
    QCOMPARE(form_->CBStyl->width(), 71);
    QCOMPARE(form_->CBFont->width(), 122);
    QCOMPARE(form_->CBVelText->width(), 57);
    QCOMPARE(form_->CBFont->toolTip(), QString("Styl písma (font)"));
    QCOMPARE(form_->CBVelText->toolTip(), QString("Velikost písma"));
  }

  void comboBoxesAsCreated() {
    QStringList styles;
    for (int i = 0; i < form_->CBStyl->count(); ++i) styles << form_->CBStyl->itemText(i);
    QCOMPARE(styles, QStringList({"Výchozí", "Assembler", "Delphi ", "HTML", "Matlab"}));
    QCOMPARE(form_->CBStyl->currentIndex(), 0);
    QVERIFY(!form_->CBStyl->isEditable());

    QStringList sizes;
    for (int i = 0; i < form_->CBVelText->count(); ++i) sizes << form_->CBVelText->itemText(i);
    QCOMPARE(sizes, QStringList({"8", "9", "10", "11", "12", "13", "14", "16", "18", "20", "22",
                                 "24", "28", "32", "36", "40", "42", "58", "72"}));
    QVERIFY(form_->CBVelText->isEditable());

    QVERIFY(!form_->CBFont->isEditable());
    QVERIFY(form_->CBFont->count() > 0);
    QCOMPARE(form_->CBFont->currentIndex(), -1);
    QStringList families;
    for (int i = 0; i < form_->CBFont->count(); ++i) families << form_->CBFont->itemText(i);
    for (int i = 1; i < families.size(); ++i) {
      QVERIFY2(QString::compare(families[i - 1], families[i], Qt::CaseInsensitive) < 0,
               qPrintable(families[i - 1] + " / " + families[i]));
    }
  }

  void controlsFollowTheCaretWhenShown() {
    QCOMPARE(form_->CBVelText->currentText(), QString());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    // The show event brought the controls into step with the empty document.
    QCOMPARE(form_->CBVelText->currentText(), QString("10"));
    QCOMPARE(form_->CBFont->currentText().toLower(), form_->CBFont->findText("Times New Roman") >= 0
                                                         ? QString("times new roman")
                                                         : QString());
  }

  void tabOrder() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    form_->REdit->setFocus();
    auto focused = [] {
      QWidget* widget = QApplication::focusWidget();
      // The size field's line edit stands for its combo box.
      if (widget != nullptr && qobject_cast<QComboBox*>(widget->parentWidget())) {
        return widget->parentWidget();
      }
      return widget;
    };
    QCOMPARE(focused(), form_->REdit);
    for (QWidget* next :
         {static_cast<QWidget*>(form_->CBFont), static_cast<QWidget*>(form_->CBVelText),
          static_cast<QWidget*>(form_->CBStyl)}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(focused(), next);
    }
  }

  void menuAsLaidOut() {
    auto captions = [](QWidget* menu) {
      QStringList result;
      for (QAction* action : menu->actions()) {
        result << (action->isSeparator() ? "-" : QString(action->text()).remove('&'));
        if (!action->shortcut().isEmpty()) result << "shortcut!";
      }
      return result;
    };
    QCOMPARE(captions(form_->MainMenu1), QStringList({"Soubor", "Úpravy", "About"}));
    QCOMPARE(captions(form_->Soubor1),
             QStringList({"Nový", "Načíst", "-", "Uložit jako RTF", "-", "Konec"}));
    QCOMPARE(
        captions(form_->pravy1),
        QStringList({"Upravit na assembler", "Upravit na delphi kód", "Upravit na HTML",
                     "Upravit na Matlab", "-", "Nastavit vychozí písmo", "-", "Vložit ze schránky",
                     "Vyjmout do schránky", "Vložit do schránky", "Vybrat vše"}));
    QVERIFY(form_->About1->menu() == nullptr);
    for (QAction* pictured :
         {form_->mnuNovy, form_->mnuNacist, form_->mnuUlozRTF, form_->mnuSpecTuc, form_->mnuPaste,
          form_->mnuVlozitdoschr, form_->About1}) {
      QVERIFY2(!pictured->icon().isNull(), qPrintable(pictured->text()));
    }
    for (QAction* plain : {form_->mnuKonec, form_->mnuDelphi, form_->MnuHTML, form_->mnuMatlab,
                           form_->MnuBez, form_->mnuCut, form_->Vybratve1}) {
      QVERIFY2(plain->icon().isNull(), qPrintable(plain->text()));
    }
  }

  void accessKeysDifferWithinEachLevel() {
    for (QWidget* level : QList<QWidget*>{form_->MainMenu1, form_->Soubor1, form_->pravy1}) {
      QSet<QChar> keys;
      for (QAction* action : level->actions()) {
        if (action->isSeparator()) continue;
        const QChar key = AccessKeyOf(action->text());
        QVERIFY2(!key.isNull(), qPrintable(action->text()));
        QVERIFY2((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'),
                 qPrintable(action->text()));
        QVERIFY2(!keys.contains(key), qPrintable(action->text()));
        keys.insert(key);
      }
    }
  }

  void accessKeyChoice_data() {
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("marked");
    QTest::newRow("first letters")
        << QStringList{"Nový", "Konec"} << QStringList{"&Nový", "&Konec"};
    QTest::newRow("next word then any letter")
        << QStringList{"Vybrat vše", "Vložit ze schránky", "Vyjmout"}
        << QStringList{"&Vybrat vše", "Vložit &ze schránky", "V&yjmout"};
    QTest::newRow("letters beyond A to Z are passed over")
        << QStringList{"Úpravy"} << QStringList{"Ú&pravy"};
    QTest::newRow("digits count") << QStringList{"A", "a1"} << QStringList{"&A", "a&1"};
    QTest::newRow("no letter left")
        << QStringList{"ab", "ba", "a"} << QStringList{"&ab", "&ba", "a"};
    QTest::newRow("a literal ampersand") << QStringList{"R&D"} << QStringList{"&R&&D"};
  }
  void accessKeyChoice() {
    QFETCH(QStringList, captions);
    QFETCH(QStringList, marked);
    QCOMPARE(WithAccessKeys(captions), marked);
  }

  void keywordFileMissingIsReportedBeforeTheWindowAppears() {
    form_.reset();
    const auto seen = test::ExpectMessageBox();
    bool windowVisible = true;
    QTimer::singleShot(0, [&windowVisible] { windowVisible = false; });
    TForm1 form(QDir::tempPath() + "/markwell-no-such-directory/");
    QVERIFY(seen->shown);
    QCOMPARE(seen->title, QString("RX-Markwell"));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QVERIFY2(seen->text.endsWith('.'), qPrintable(seen->text));
    QVERIFY(!form.isVisible());
    // The program starts all the same.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClicks(form.REdit, "still works");
    QCOMPARE(form.REdit->toPlainText(), QString("still works"));
  }

  void pictureOfTheWindow() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    form_->REdit->setPlainText("program Ukazka;\nbegin\n  Writeln('Žluťoučký kůň');\nend.");
    QTest::qWait(50);
    const QString path = QDir::current().filePath("main_window.png");
    QVERIFY(form_->grab().save(path));
    qInfo("picture: %s", qPrintable(path));
    QMenu* menu = form_->pravy1;
    menu->popup(form_->mapToGlobal(QPoint(40, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QVERIFY(menu->grab().save(QDir::current().filePath("edit_menu.png")));
    menu->hide();
  }

 private:
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
