// What a filter sees of the formatting window: a label and a progress bar.
// No events are handled while a run holds the thread, so a window paints
// them itself when they are written: the label at once, the bar as often as
// it chooses (the editor's window at most every 40 ms, and at once when its
// range changes or it is full).
#pragma once

#include <string>

namespace markwell {

class ProgressView {
 public:
  virtual ~ProgressView() = default;

  // Sets the label's caption and repaints the label.
  virtual void SetLabelCaption(const std::string& caption) = 0;

  // The bar's range is 0 to maximum; its position is clamped to that range,
  // as a progress bar does. Each write is passed on to BarChanged.
  void SetBarMaximum(int maximum);
  void SetBarPosition(int position) {
    position_ = position < 0 ? 0 : (position > maximum_ ? maximum_ : position);
    BarChanged();
  }
  int BarPosition() const { return position_; }
  int BarMaximum() const { return maximum_; }

  // Whether anybody sees the bar's writes one by one. A view that shows
  // nothing may be given only the last value of a pass.
  virtual bool ShowsEachWrite() const { return true; }

 protected:
  // Called after every write of the bar; a window paints its bar here when
  // it is due.
  virtual void BarChanged() = 0;

 private:
  int maximum_ = 100;
  int position_ = 0;
};

// A view that only keeps the values: for runs without a window.
class SilentProgress : public ProgressView {
 public:
  void SetLabelCaption(const std::string& caption) override { caption_ = caption; }
  const std::string& Caption() const { return caption_; }
  bool ShowsEachWrite() const override { return false; }

 protected:
  void BarChanged() override {}

 private:
  std::string caption_ = "Label1";
};

}  // namespace markwell
