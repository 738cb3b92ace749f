// The main window as it starts: caption, size, toolbar and menu as laid
// out, font list, access keys, start-up errors; and a picture of it.
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QTextCursor>
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
    QCOMPARE(form_->REdit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  }

  void outerSizeOnceTheFrameIsKnown() {
    const QSize outer(576, 392);
    QCOMPARE(ClientSizeForOuterSize(outer, QSize(0, 0)), std::nullopt);
    QCOMPARE(ClientSizeForOuterSize(outer, QSize(-575, -391)), std::nullopt);  // not framed yet
    QCOMPARE(ClientSizeForOuterSize(outer, QSize(0, 29)), QSize(576, 363));    // no side borders
    QCOMPARE(ClientSizeForOuterSize(outer, QSize(8, 31)), QSize(568, 361));
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
    for (QToolButton* button :
         {form_->ToolButton1, form_->ToolButton2, form_->ToolButton3, form_->ToolButton5,
          form_->ToolButton6, form_->ToolButton7, form_->TBPouzitBarvu, form_->TBZmena,
          form_->TBTucnost, form_->TBItalic, form_->TBHelp}) {
      QCOMPARE(button->size(), QSize(23, 22));
      QVERIFY(!button->icon().isNull());
    }
    for (QFrame* separator : {form_->ToolButton4, form_->ToolButton8, form_->ToolButton12,
                              form_->ToolButton10, form_->ToolButton11, form_->ToolButton13}) {
      QCOMPARE(separator->width(), 8);
      QCOMPARE(QAccessible::queryAccessibleInterface(separator)->role(), QAccessible::Separator);
    }
    QCOMPARE(form_->CBStyl->width(), 71);
    QCOMPARE(form_->CBFont->width(), 122);
    QCOMPARE(form_->CBVelText->width(), 57);
  }

  void captionsFitTheStyleBox() {
    QComboBox* box = form_->CBStyl;
    QCOMPARE(QFontInfo(box->font()).family(), QString("Liberation Sans"));  // no MS Sans Serif here
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.rect = QRect(QPoint(0, 0), box->size());
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, box);
    // The five classic entries fit the closed box; every caption fits the open list.
    for (int i = 0; i < box->count(); ++i) {
      const int needed = box->fontMetrics().horizontalAdvance(box->itemText(i));
      QVERIFY2(i >= 5 || needed <= field.width() - 2, qPrintable(box->itemText(i)));
      QVERIFY2(needed < box->view()->minimumWidth(), qPrintable(box->itemText(i)));
    }
  }

  // The five classic entries first, then the installed definitions by caption.
  void styleBoxOrder() {
    QStringList captions;
    for (int i = 0; i < form_->CBStyl->count(); ++i) captions << form_->CBStyl->itemText(i);
    QCOMPARE(captions.mid(0, 5),
             QStringList({"Výchozí", "Assembler", "Delphi ", "HTML", "Matlab"}));
    QStringList sorted = captions.mid(5);
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
    QCOMPARE(captions.mid(5), sorted);
    for (const char* caption :
         {"Ada", "C", "C#", "C++", "CSS", "Java", "JavaScript", "Python", "SQL", "Shell", "XML"}) {
      QVERIFY2(captions.count(QString::fromUtf8(caption)) == 1, caption);
    }
    QCOMPARE(captions.count("HTML"), 1);
  }

  // What a screen reader reads of the document: its words and their formats.
  void screenReadersReadTheTextAndItsFormats() {
    form_->show();
    QTextCursor cursor(form_->REdit->document());
    cursor.insertText("plain ");
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("bold", bold);
    QAccessibleTextInterface* text =
        QAccessible::queryAccessibleInterface(form_->REdit)->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(0, text->characterCount()), QString("plain bold"));
    int start = 0;
    int end = 0;
    const QString attributes = text->attributes(7, &start, &end);
    QVERIFY2(attributes.contains("font-weight:bold") || attributes.contains("font-weight:700"),
             qPrintable(attributes));
    QCOMPARE(start, 6);
    QCOMPARE(end, 10);
  }

  // Each control says what it is, not what it holds; separators need no name.
  void screenReadersFindNamedControls() {
    const auto named = [](QAccessibleInterface* control) {
      return control->role() == QAccessible::Separator ||
             !control->text(QAccessible::Name).isEmpty();
    };
    QVERIFY(named(QAccessible::queryAccessibleInterface(form_->REdit)));
    QAccessibleInterface* toolbar = QAccessible::queryAccessibleInterface(form_->ToolBar1);
    for (int i = 0; i < toolbar->childCount(); ++i) {
      QVERIFY2(named(toolbar->child(i)), qPrintable(toolbar->child(i)->object()->objectName()));
    }
    for (QComboBox* box : {form_->CBStyl, form_->CBVelText}) {
      QVERIFY(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name) !=
              box->currentText());
    }
  }

  // While another control has the focus the selection is not drawn and each
  // character shows its own colour; a menu that holds the keyboard for a while
  // leaves it drawn.
  void selectionDrawnOnlyWithTheFocus() {
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    QTextCursor(form_->REdit->document()).insertText("selected", red);
    test::SelectInEditor(form_->REdit, 0, 8);
    const QColor highlight = form_->REdit->palette().color(QPalette::Active, QPalette::Highlight);
    const auto shown = [this](auto isColor) {
      const QImage image = form_->REdit->viewport()->grab().toImage();
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          if (isColor(image.pixelColor(x, y))) return true;
        }
      }
      return false;
    };
    const auto isHighlight = [highlight](QColor c) { return c == highlight; };
    form_->REdit->setFocus();
    QVERIFY(shown(isHighlight));
    form_->pravy1->popup(form_->mapToGlobal(QPoint(40, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(form_->pravy1));
    QVERIFY(shown(isHighlight));
    form_->pravy1->hide();
    form_->CBFont->setFocus();
    QVERIFY(!shown(isHighlight));
    QVERIFY(shown([](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }));
  }

  void fontListAsCreated() {
    QCOMPARE(form_->CBStyl->currentIndex(), 0);
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

  void accessKeysDifferWithinEachLevel() {
    for (QWidget* level : QList<QWidget*>{form_->MainMenu1, form_->Soubor1, form_->pravy1}) {
      QSet<QChar> keys;
      QVERIFY(level->actions().size() >= 3);
      for (QAction* action : level->actions()) {
        if (action->isSeparator()) continue;
        QVERIFY(action->shortcut().isEmpty());
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
    form_->OpenFile(test::DataDir() + "input/unit.pas");
    QTest::mouseClick(form_->TBPouzitBarvu, Qt::LeftButton);
    form_->mnuDelphi->trigger();
    form_->REdit->moveCursor(QTextCursor::Start);
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
