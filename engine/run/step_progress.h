// The progress bar of a filter's pass, written only when its value changes.
#pragma once

#include "run/progress_view.h"

namespace markwell {

// The progress bar of a pass: after its step at p, a filter shows
// (p + ahead) div 10, p being the last position the step consumed. The bar
// is written, and so repainted, only when that value changes. A view that
// shows no write gets only the last one, when the pass ends.
class StepProgress {
 public:
  StepProgress(ProgressView& view, int ahead)
      : view_(view), ahead_(ahead), onlyLast_(!view.ShowsEachWrite()) {}
  ~StepProgress() {
    if (lastStep_ >= 0) Show((lastStep_ + ahead_) / 10);
  }
  StepProgress(const StepProgress&) = delete;
  StepProgress& operator=(const StepProgress&) = delete;

  // The bar after the step at p.
  void ShowStepDone(int p) { ShowStepsDone(p, p + 1); }

  // The bar after each of the steps at first .. end - 1, steps that change
  // nothing but the bar: the same writes as step by step, without a division
  // per step. A value beyond the maximum is shown clamped and so differs
  // from the bar at every step that asks for it.
  void ShowStepsDone(int first, int end) {
    if (onlyLast_) {
      if (end > first) lastStep_ = end - 1;
      return;
    }
    for (int p = first; p < end;) {
      const int value = (p + ahead_) / 10;
      Show(value);
      p = value > view_.BarMaximum() ? p + 1 : (value + 1) * 10 - ahead_;
    }
  }

 private:
  void Show(int value) {
    if (view_.BarPosition() != value) view_.SetBarPosition(value);
  }

  ProgressView& view_;
  int ahead_;
  bool onlyLast_;
  int lastStep_ = -1;  // the last step not yet shown, when only the last is
};

}  // namespace markwell
