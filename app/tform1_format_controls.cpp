// The character formatting controls: bold, italic, font name and size follow
// the selection and change its format; the base font through the font dialog.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

#include "bridge_formats.h"
#include "font_color_dialog.h"
#include "tform1.h"

namespace markwell {

namespace {

bool IsDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Editing and caret keys of the field; with Ctrl they still type nothing.
bool TypesNothing(int key) {
  switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return true;
    default:
      return false;
  }
}

}  // namespace

void TForm1::REditSelectionChange() {
  ShowSelectionFormat(bridge_.SelectionFormat());
}

void TForm1::ShowSelectionFormat(const CharFormat& format) {
  // None of these runs a handler: the handlers hang on user-only signals.
  TBTucnost->setChecked(format.style.Has(FontStyle::Bold));
  TBItalic->setChecked(format.style.Has(FontStyle::Italic));
  CBFont->setCurrentIndex(
      CBFont->findText(bridge::ToQString(format.fontName), Qt::MatchFixedString));
  CBVelText->setEditText(QString::number(format.size));
}

void TForm1::TBTucnostClick() {
  const FontStyles style = bridge_.SelectionFormat().style;
  bridge_.SetSelectionStyle(TBTucnost->isChecked() ? style.With(FontStyle::Bold)
                                                   : style.Without(FontStyle::Bold));
}

void TForm1::TBItalicClick() {
  const FontStyles style = bridge_.SelectionFormat().style;
  bridge_.SetSelectionStyle(TBItalic->isChecked() ? style.With(FontStyle::Italic)
                                                  : style.Without(FontStyle::Italic));
}

void TForm1::CBFontClick() {
  bridge_.SetSelectionName(bridge::ToUtf8(CBFont->currentText()));
  if (REdit->isVisible()) REdit->setFocus();
}

void TForm1::CBVelTextClick() {
  // A size that is not a whole number is ignored without a word.
  try {
    bool ok = false;
    const int size = CBVelText->currentText().toInt(&ok);
    if (!ok) return;
    bridge_.SetSelectionSize(size);
    if (REdit->isVisible()) REdit->setFocus();
  } catch (...) {
  }
}

bool TForm1::CBVelTextKeyPress(QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      REdit->setFocus();
      CBVelTextClick();
      // Taken here: passed on, it would make the combo box apply the size a
      // second time. An open list closes all the same.
      CBVelText->hidePopup();
      return true;
    default:
      break;
  }
  // Keys that type nothing are no characters, even where the window system
  // gives them a text of their own (Delete comes with U+007F on X11).
  // Ctrl+A selects the field's text, as in every field.
  const QString text = event.text();
  if (text.isEmpty() || TypesNothing(event.key()) || event.matches(QKeySequence::SelectAll)) {
    return false;
  }
  return !(text.size() == 1 && IsDigit(text.front()));
}

void TForm1::MnuBezClick() {
  const BaseFont& font = bridge_.Font();
  FD->OpenOn(bridge::ToQFont(font));
  FD->SetColor(bridge::ToQColor(font.Color()));
  if (FD->exec() != QDialog::Accepted) return;
  BaseFont chosen = bridge::WithQFont(font, FD->ChosenFont());
  chosen.SetColor(bridge::FromQColor(FD->TextColor()));
  bridge_.SetFont(chosen);
}

void TForm1::REditStyleKey(RichEdit::StyleKey key) {
  const FontStyle flag = key == RichEdit::StyleKey::Bold     ? FontStyle::Bold
                         : key == RichEdit::StyleKey::Italic ? FontStyle::Italic
                                                             : FontStyle::Underline;
  const FontStyles style = bridge_.SelectionFormat().style;
  const FontStyles switched = style.Has(flag) ? style.Without(flag) : style.With(flag);
  bridge_.SetSelectionStyle(switched);
  // The toggles show what was set, as after a click.
  TBTucnost->setChecked(switched.Has(FontStyle::Bold));
  TBItalic->setChecked(switched.Has(FontStyle::Italic));
}

void TForm1::REditUndoneOrRedone() {
  // Undo and redo select what they changed: a selection change, even where
  // the selection is the one there was, as the formats under it are not.
  RememberSelection();
  REditSelectionChange();
}

}  // namespace markwell
