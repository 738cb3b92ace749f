// A progress bar on standard error for long runs, driven by the same
// label-and-bar view that the editor's formatting window implements.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "run/progress_view.h"

namespace markwell::cli {

class TerminalProgress : public ProgressView {
 public:
  explicit TerminalProgress(std::FILE* terminal) : terminal_(terminal) {}
  ~TerminalProgress() override { Finish(); }

  void SetLabelCaption(const std::string& caption) override { caption_ = caption; }
  // Clears the bar's line, if one was drawn.
  void Finish();

 protected:
  void BarChanged() override;

 private:
  // Short runs draw nothing: the bar appears only after this long.
  static constexpr std::chrono::milliseconds kDelay{300};

  std::FILE* terminal_;
  std::string caption_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  int shownPercent_ = -1;
  bool drawn_ = false;
};

}  // namespace markwell::cli
