// The formatting window: a small modal window that performs one formatting
// run in the first tick of its timer, showing the filter's line and progress.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <exception>
#include <functional>

#include "run/progress_view.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace markwell {

// The run's steps for an emphasis mode, reporting to the window.
using FormattingSteps = std::function<void(int mode, ProgressView& progress)>;

class TForm2 : public QDialog, public ProgressView {
  Q_OBJECT

 public:
  // `mainWindow` is the window it is centred over.
  TForm2(QWidget& mainWindow, int mode, FormattingSteps steps);

  QLabel* Label1;
  QProgressBar* PB;
  QTimer* Timer1;

  // The error that ended the run, if any.
  std::exception_ptr Error() const { return error_; }

  void SetLabelCaption(const std::string& caption) override;

  void FormShow();
  void Timer1Timer();

 protected:
  void BarChanged() override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget& mainWindow_;
  int mode_;
  FormattingSteps steps_;
  std::exception_ptr error_;
  QElapsedTimer barPainted_;  // since the bar was last painted during the run
};

}  // namespace markwell
