// The formatting controls follow the selection without running their
// handlers, change the selection's format when the user works them, and the
// size field takes digits only.
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>
#include <QWheelEvent>

#include "app_test_support.h"
#include "bridge_formats.h"
#include "font_color_dialog.h"

using namespace markwell;

namespace {

// "plain bold italic" with bold and italic on their words; font "Arial" on "italic".
void WriteSample(TForm1& form) {
  QPlainTextEdit* editor = form.REdit;
  QTextCursor cursor(editor->document());
  cursor.insertText("plain ");
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  cursor.insertText("bold", bold);
  cursor.insertText(" ", QTextCharFormat());
  QTextCharFormat italic;
  italic.setFontItalic(true);
  italic.setFontFamilies({"ARIAL"});
  italic.setFontPointSize(14);
  cursor.insertText("italic", italic);
}

void ClickAt(QPlainTextEdit* editor, int pos) {
  QTextCursor cursor(editor->document());
  cursor.setPosition(pos);
  QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, editor->cursorRect(cursor).center());
}

}  // namespace

class FormatControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetApplicationTitle(); }
  void init() {
    QVERIFY(test::ShowMainWindow(form_));
    WriteSample(*form_);
  }
  void cleanup() { form_.reset(); }

  void controlsFollowTheCaretWithoutRunningHandlers() {
    const Document before = form_->Bridge().ToDocument();
    ClickAt(form_->REdit, 8);  // in "bold"
    QVERIFY(form_->TBTucnost->isChecked());
    QVERIFY(!form_->TBItalic->isChecked());
    ClickAt(form_->REdit, 2);  // in "plain"
    QVERIFY(!form_->TBTucnost->isChecked());
    QCOMPARE(form_->CBVelText->currentText(), QString("10"));
    ClickAt(form_->REdit, 14);  // in "italic"
    QVERIFY(form_->TBItalic->isChecked());
    QCOMPARE(form_->CBVelText->currentText(), QString("14"));
    // The font name differs from the list entry only in case.
    QCOMPARE(form_->CBFont->currentIndex(), form_->CBFont->findText("Arial", Qt::MatchFixedString));
    // Had a handler run, the words would have lost or gained formats.
    const Document after = form_->Bridge().ToDocument();
    for (int pos = 0; pos < before.Length(); ++pos) {
      QVERIFY(after.Content().FormatAt(pos) == before.Content().FormatAt(pos));
    }
  }

  void fontNotInTheListSelectsNothing() {
    test::SelectInEditor(form_->REdit, 13, 15);
    QVERIFY(form_->CBFont->currentIndex() >= 0 || form_->CBFont->findText("Arial") < 0);
    QTextCursor cursor = form_->REdit->textCursor();
    QTextCharFormat unknown;
    unknown.setFontFamilies({"No Such Font Family"});
    cursor.mergeCharFormat(unknown);
    test::SelectInEditor(form_->REdit, 0, 1);
    test::SelectInEditor(form_->REdit, 13, 15);
    QCOMPARE(form_->CBFont->currentIndex(), -1);
    QCOMPARE(form_->CBFont->currentText(), QString());
  }

  void boldClickOnMixedSelectionWritesWhatTheSelectionReported() {
    // "plain bold": the first character is plain, so the italic click writes
    // italic without bold over all of it.
    test::SelectInEditor(form_->REdit, 0, 10);
    QVERIFY(!form_->TBTucnost->isChecked());
    QTest::mouseClick(form_->TBItalic, Qt::LeftButton);
    for (int pos = 0; pos < 10; ++pos) {
      const CharFormat format = test::FormatAt(*form_, pos);
      QVERIFY(format.style.Has(FontStyle::Italic));
      QVERIFY(!format.style.Has(FontStyle::Bold));
    }
    QTest::mouseClick(form_->TBTucnost, Qt::LeftButton);
    QVERIFY(test::FormatAt(*form_, 0).style.Has(FontStyle::Bold));
    QVERIFY(test::FormatAt(*form_, 0).style.Has(FontStyle::Italic));
  }

  void boldClickOnInsertionPointAppliesToTypedText() {
    ClickAt(form_->REdit, 5);  // end of "plain"
    QTest::mouseClick(form_->TBTucnost, Qt::LeftButton);
    QTest::keyClicks(form_->REdit, "X");
    QVERIFY(test::FormatAt(*form_, 5).style.Has(FontStyle::Bold));
    QVERIFY(!test::FormatAt(*form_, 4).style.Has(FontStyle::Bold));
  }

  // A screen reader toggles a button through its action interface, as Orca does.
  void screenReaderToggleActsAsAClick() {
    test::SelectInEditor(form_->REdit, 0, 5);
    QAccessibleInterface* bold = QAccessible::queryAccessibleInterface(form_->TBTucnost);
    QCOMPARE(bold->role(), QAccessible::CheckBox);
    QCOMPARE(bold->text(QAccessible::Name), QString("Tučné písmo"));
    bold->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(form_->TBTucnost->isChecked());
    QVERIFY(bold->state().checked);
    QVERIFY(test::FormatAt(*form_, 0).style.Has(FontStyle::Bold));
    // Code that sets the state still runs no handler.
    form_->TBItalic->setChecked(true);
    QVERIFY(!test::FormatAt(*form_, 0).style.Has(FontStyle::Italic));
  }

  void styleKeysSwitchTheSelection_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("flag");
    QTest::newRow("Ctrl+B") << int(Qt::Key_B) << int(FontStyle::Bold);
    QTest::newRow("Ctrl+I") << int(Qt::Key_I) << int(FontStyle::Italic);
    QTest::newRow("Ctrl+U") << int(Qt::Key_U) << int(FontStyle::Underline);
  }
  void styleKeysSwitchTheSelection() {
    QFETCH(int, key);
    QFETCH(int, flag);
    const auto style = static_cast<FontStyle>(flag);
    test::SelectInEditor(form_->REdit, 0, 5);
    for (const bool on : {true, false}) {
      QTest::keyClick(form_->REdit, Qt::Key(key), Qt::ControlModifier);
      QCOMPARE(test::FormatAt(*form_, 4).style.Has(style), on);
      QCOMPARE(form_->TBTucnost->isChecked(), on && style == FontStyle::Bold);
      QCOMPARE(form_->TBItalic->isChecked(), on && style == FontStyle::Italic);
    }
    QCOMPARE(form_->REdit->toPlainText(), QString("plain bold italic"));
  }

  // Undo and redo select what they changed, the selection there was included.
  void controlsFollowUndoAndRedo_data() {
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Ctrl+Z, Ctrl+Y") << false;
    QTest::newRow("context menu") << true;
  }
  void controlsFollowUndoAndRedo() {
    QFETCH(bool, byMenu);
    const auto step = [this, byMenu](bool undo) {
      if (!byMenu) {
        QTest::keyClick(form_->REdit, undo ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
        return;
      }
      QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                form_->REdit->viewport()->mapToGlobal(QPoint(5, 5)));
      QApplication::sendEvent(form_->REdit->viewport(), &menuKey);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu != nullptr);
      menu->findChild<QAction*>(undo ? "edit-undo" : "edit-redo")->trigger();
      menu->close();
    };
    form_->REdit->setFocus();
    test::SelectInEditor(form_->REdit, 0, 5);
    QTest::mouseClick(form_->TBItalic, Qt::LeftButton);
    const int mono = form_->CBFont->findText("Liberation Mono");
    form_->CBFont->setCurrentIndex(mono);
    emit form_->CBFont->activated(mono);
    step(true);
    QCOMPARE(form_->CBFont->currentIndex(),
             form_->CBFont->findText("Times New Roman", Qt::MatchFixedString));
    step(true);
    QVERIFY(!form_->TBItalic->isChecked());
    step(false);
    QVERIFY(form_->TBItalic->isChecked());
    step(false);
    QCOMPARE(form_->CBFont->currentIndex(), mono);
  }

  void wheelPicksOnlyInTheFocusedComboBox() {
    const auto turn = [](QComboBox* box) {
      QWheelEvent wheel(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(box, &wheel);
    };
    form_->REdit->setFocus();
    for (QComboBox* box : {form_->CBStyl, form_->CBFont}) {
      box->setCurrentIndex(1);
      turn(box);
      QCOMPARE(box->currentIndex(), 1);
      QVERIFY(!box->hasFocus());
    }
    form_->CBStyl->setFocus();
    turn(form_->CBStyl);
    QCOMPARE(form_->CBStyl->currentIndex(), 2);
  }

  void pickingAFontSetsItAndFocusesTheEditor() {
    const int arial = form_->CBFont->findText("Liberation Mono");
    QVERIFY(arial >= 0);
    test::SelectInEditor(form_->REdit, 0, 5);
    form_->CBFont->setFocus();
    form_->CBFont->setCurrentIndex(arial - 1);
    QTest::keyClick(form_->CBFont, Qt::Key_Down);  // the keyboard picks the next entry
    QCOMPARE(test::FormatAt(*form_, 0).fontName, std::string("Liberation Mono"));
    QCOMPARE(test::FormatAt(*form_, 5).fontName, std::string("Times New Roman"));
    QVERIFY(form_->REdit->hasFocus());
  }

  void pickingASizeSetsItAtOnce() {
    test::SelectInEditor(form_->REdit, 0, 5);
    const int index = form_->CBVelText->findText("58");
    form_->CBVelText->showPopup();
    QAbstractItemView* list = form_->CBVelText->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    const QModelIndex entry = list->model()->index(index, 0);
    list->scrollTo(entry);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
    QCOMPARE(test::FormatAt(*form_, 0).size, 58);
    QVERIFY(form_->REdit->hasFocus());
  }

  void sizeFieldTakesDigitsOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::newRow("1, a, 2") << "1a2"
                             << "12";
    QTest::newRow("letters and signs") << "x-+ .,9"
                                       << "9";
    QTest::newRow("Czech letters") << "ř1ž"
                                   << "1";
    QTest::newRow("backspace") << "15\b6"
                               << "16";
  }
  void sizeFieldTakesDigitsOnly() {
    QFETCH(QString, typed);
    QFETCH(QString, field);
    form_->CBVelText->setFocus();
    form_->CBVelText->lineEdit()->clear();
    for (const QChar c : typed) {
      if (c == '\b') {
        QTest::keyClick(form_->CBVelText, Qt::Key_Backspace);
      } else {
        test::Type(form_->CBVelText, QString(c));
      }
    }
    QCOMPARE(form_->CBVelText->currentText(), field);
    QCOMPARE(test::FormatAt(*form_, 0).size, 10);  // nothing applied without Enter
  }

  // The keys as the X11 and Wayland platforms deliver them: Delete carries U+007F.
  void keysThatTypeNothingEditTheSizeField_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<QString>("field");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << QString(QChar(0x7F)) << "125";
    QTest::newRow("Ctrl+Delete") << int(Qt::Key_Delete) << int(Qt::ControlModifier)
                                 << QString(QChar(0x7F)) << "12";
    QTest::newRow("Left, then 9") << int(Qt::Key_Left) << 0 << QString() << "19235";
    QTest::newRow("Home, then 9") << int(Qt::Key_Home) << 0 << QString() << "91235";
    QTest::newRow("Ctrl+Left, then 9")
        << int(Qt::Key_Left) << int(Qt::ControlModifier) << QString() << "91235";
    QTest::newRow("Ctrl+A, then 9")
        << int(Qt::Key_A) << int(Qt::ControlModifier) << QString(QChar(1)) << "9";
  }
  void keysThatTypeNothingEditTheSizeField() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, keyText);
    QFETCH(QString, field);
    form_->CBVelText->setFocus();
    QLineEdit* line = form_->CBVelText->lineEdit();
    line->setText("1235");
    line->setCursorPosition(2);
    const auto press = [line](int k, Qt::KeyboardModifiers m, const QString& t) {
      QKeyEvent down(QEvent::KeyPress, k, m, t);
      QApplication::sendEvent(line, &down);
      QKeyEvent up(QEvent::KeyRelease, k, m, t);
      QApplication::sendEvent(line, &up);
    };
    press(key, Qt::KeyboardModifiers(modifiers), keyText);
    if (key != Qt::Key_Delete) press(Qt::Key_9, Qt::NoModifier, "9");
    QCOMPARE(form_->CBVelText->currentText(), field);
  }

  void enterAppliesTheSizeAndFocusesTheEditor() {
    test::SelectInEditor(form_->REdit, 0, 5);
    form_->CBVelText->setFocus();
    form_->CBVelText->lineEdit()->clear();
    QTest::keyClicks(form_->CBVelText, "1a2");
    QTest::keyClick(form_->CBVelText, Qt::Key_Return);
    QCOMPARE(test::FormatAt(*form_, 0).size, 12);
    QCOMPARE(test::FormatAt(*form_, 5).size, 10);
    QVERIFY(form_->REdit->hasFocus());
    // The typed size was not added to the list.
    QCOMPARE(form_->CBVelText->count(), 19);
  }

  void enterOnAnEmptyFieldChangesNothing() {
    test::SelectInEditor(form_->REdit, 0, 5);
    const Document before = form_->Bridge().ToDocument();
    int messages = 0;
    const QPointer<QTimer> watch = test::WhenModal<QMessageBox>(
        [&messages](QMessageBox& box) {
          ++messages;
          box.accept();
        },
        300);
    form_->CBVelText->setFocus();
    form_->CBVelText->lineEdit()->clear();
    QTest::keyClick(form_->CBVelText, Qt::Key_Return);
    QTest::qWait(350);
    // Its time counts in ticks of a loaded machine: left on, it would reject
    // the dialog of a later test.
    delete watch;
    QCOMPARE(messages, 0);
    QVERIFY(form_->REdit->hasFocus());
    QVERIFY(form_->Bridge().ToDocument().Content().FormatAt(0) == before.Content().FormatAt(0));
  }

  void leavingTheSizeFieldAppliesNothing() {
    test::SelectInEditor(form_->REdit, 0, 5);
    form_->activateWindow();
    form_->CBVelText->setFocus();
    form_->CBVelText->lineEdit()->clear();
    QTest::keyClicks(form_->CBVelText, "14");  // an entry of the list
    QTest::keyClick(form_->CBVelText, Qt::Key_Tab);
    QCOMPARE(test::FormatAt(*form_, 0).size, 10);
    QVERIFY(!form_->REdit->hasFocus());
  }

  void baseFontFromTheFontDialog() {
    QTest::keyClicks(form_->REdit, "");
    test::WhenModal<QFontDialog>([](QFontDialog& dialog) {
      QFont chosen("Liberation Mono");
      chosen.setPointSize(16);
      chosen.setItalic(true);
      dialog.setCurrentFont(chosen);
      static_cast<FontColorDialog&>(dialog).SetColor(QColor(0, 0, 128));
      dialog.grab().save(QDir::current().filePath("font_dialog.png"));
      dialog.accept();
    });
    form_->MnuBez->trigger();
    const BaseFont& font = form_->Bridge().Font();
    QCOMPARE(font.Name(), std::string("Liberation Mono"));
    QCOMPARE(font.Size(), 16);
    QVERIFY(font.Style().Has(FontStyle::Italic));
    QCOMPARE(font.Color(), MakeRgb(0, 0, 128));
    // The text already there keeps its look until a reset.
    QCOMPARE(test::FormatAt(*form_, 0).fontName, std::string("Times New Roman"));
    // The reset of the default style now gives the new base font.
    form_->CBStyl->setCurrentIndex(0);
    QTest::mouseClick(form_->TBZmena, Qt::LeftButton);
    const CharFormat reset = test::FormatAt(*form_, 0);
    QCOMPARE(reset.size, 16);
    QVERIFY(reset.style.Has(FontStyle::Italic));
    QCOMPARE(reset.color, MakeRgb(0, 0, 128));
    QCOMPARE(reset.fontName, std::string("Times New Roman"));  // names stay
  }

  // The dialog shows the face that draws the base font; a stand-in family
  // that the user keeps gives back the name asked for.
  void fontDialogOpensOnTheBaseFont_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("not installed") << "Times New Roman"
                                   << "Liberation Serif";
    QTest::newRow("upright, its first style oblique") << "DejaVu Sans"
                                                      << "DejaVu Sans";
  }
  void fontDialogOpensOnTheBaseFont() {
    QFETCH(QString, name);
    QFETCH(QString, shown);
    if (!QFontDatabase::families().contains(shown)) QSKIP("font not installed");
    BaseFont base = form_->Bridge().Font();
    base.SetName(name.toStdString());
    base.SetSize(13);
    form_->Bridge().SetFont(base);
    QFont opened;
    test::WhenModal<QFontDialog>([&opened](QFontDialog& dialog) {
      opened = dialog.currentFont();
      dialog.accept();
    });
    form_->MnuBez->trigger();
    QCOMPARE(opened.family(), shown);
    QCOMPARE(opened.pointSize(), 13);
    QVERIFY(!opened.bold() && !opened.italic());
    const BaseFont kept = form_->Bridge().Font();
    QCOMPARE(kept.Name(), base.Name());
    QCOMPARE(kept.Size(), 13);
    QVERIFY(kept.Style() == base.Style());
  }

  // Families whose first style is slanted, passed over as the arrow keys do.
  void anotherFamilyInTheDialogKeepsTheSlant() {
    const QStringList passed{"DejaVu Serif Condensed", "DejaVu Sans"};
    for (const QString& family : passed) {
      if (!QFontDatabase::families().contains(family)) QSKIP("font not installed");
    }
    QFont picked;
    test::WhenModal<QFontDialog>([&picked, &passed](QFontDialog& dialog) {
      QListView* families = dialog.findChildren<QListView*>().first();
      for (const QString& family : passed) {
        QAbstractItemModel* model = families->model();
        families->setCurrentIndex(
            model->match(model->index(0, 0), Qt::DisplayRole, family, 1, Qt::MatchExactly)
                .value(0));
      }
      QCoreApplication::processEvents();
      picked = dialog.currentFont();
      dialog.accept();
    });
    form_->MnuBez->trigger();
    QCOMPARE(picked.family(), QString("DejaVu Sans"));
    QVERIFY(!picked.italic());
    QVERIFY(!form_->Bridge().Font().Style().Has(FontStyle::Italic));
  }

  void fontDialogTakesSizesBeyondItsList() {
    test::WhenModal<QFontDialog>([](QFontDialog& dialog) {
      for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
        if (field->validator() == nullptr) continue;
        field->selectAll();
        QTest::keyClicks(field, "1000");
      }
      dialog.accept();
    });
    form_->MnuBez->trigger();
    QCOMPARE(form_->Bridge().Font().Size(), 1000);
  }

  void cancelledFontDialogChangesNothing() {
    const BaseFont before = form_->Bridge().Font();
    test::WhenModal<QFontDialog>([](QFontDialog& dialog) {
      dialog.setCurrentFont(QFont("Liberation Mono", 30));
      dialog.reject();
    });
    form_->MnuBez->trigger();
    QCOMPARE(form_->Bridge().Font().Name(), before.Name());
    QCOMPARE(form_->Bridge().Font().Size(), before.Size());
  }

 private:
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(FormatControlsTest)
#include "format_controls_test.moc"
