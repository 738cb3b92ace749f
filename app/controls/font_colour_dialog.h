// The font dialog of the base font: Qt's font dialog with its effects
// (underline, strike-out) and a text colour besides them.
#pragma once

#include <QColor>
#include <QFontDialog>

class QComboBox;
class QLineEdit;

namespace markwell {

class FontColourDialog : public QFontDialog {
  Q_OBJECT

 public:
  explicit FontColourDialog(QWidget* parent = nullptr);

  // An invalid colour stands for the automatic text colour.
  void SetColour(const QColor& colour);
  QColor Colour() const;

 private:
  void ShowColourInSample();

  QComboBox* colours_;
  QLineEdit* sample_ = nullptr;
};

}  // namespace markwell
