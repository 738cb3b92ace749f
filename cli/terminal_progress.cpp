#include "terminal_progress.h"

namespace markwell::cli {

void TerminalProgress::BarChanged() {
  if (BarMaximum() <= 0) return;
  const int percent = static_cast<int>(static_cast<long long>(BarPosition()) * 100 / BarMaximum());
  if (percent == shownPercent_) return;
  if (!drawn_ && std::chrono::steady_clock::now() - start_ < kDelay) return;
  shownPercent_ = percent;
  constexpr int kWidth = 30;
  const int filled = percent * kWidth / 100;
  std::fprintf(terminal_, "\r%s [%.*s%*s] %3d%%", caption_.c_str(), filled,
               "##############################", kWidth - filled, "", percent);
  std::fflush(terminal_);
  drawn_ = true;
}

void TerminalProgress::Finish() {
  if (!drawn_) return;
  std::fprintf(terminal_, "\r\033[K");
  std::fflush(terminal_);
  drawn_ = false;
}

}  // namespace markwell::cli
