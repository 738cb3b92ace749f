// The font dialog of the base font: Qt's font dialog with its effects
// (underline, strike-out) and a text colour besides them. Another family
// keeps the weight and slant chosen: Qt's dialog would take the family's
// first style where the chosen one has no namesake, and that is oblique for
// some families.
#pragma once

#include <QColor>
#include <QFontDialog>

class QComboBox;
class QLineEdit;

namespace markwell {

class FontColorDialog : public QFontDialog {
  Q_OBJECT

 public:
  explicit FontColorDialog(QWidget* parent = nullptr);

  // Opens on `font` as the screen draws it: a family that is not installed
  // shows as the installed one that stands in for it, the style as that
  // face's own style name (Qt's dialog would otherwise show its first
  // family, or its first style).
  void OpenOn(const QFont& font);
  // The chosen font. While the user keeps the family it opened on, the
  // family is the one asked for, not its stand-in.
  QFont ChosenFont() const;

  // An invalid colour stands for the automatic text colour.
  void SetColor(const QColor& color);
  QColor TextColor() const;

 private:
  void ShowColorInSample();
  void KeepWeightAndSlant(const QFont& font);

  QComboBox* colors_;
  QLineEdit* sample_ = nullptr;
  QString askedFamily_;
  QString shownFamily_;
  QFont current_;  // as the dialog last showed it
  QFont chosen_;   // its weight and slant: opened on, or picked since
};

}  // namespace markwell
