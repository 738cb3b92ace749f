#include "run/progress_view.h"

#include <algorithm>

namespace markwell {

void ProgressView::SetBarMaximum(int maximum) {
  maximum_ = std::max(maximum, 0);
  position_ = std::clamp(position_, 0, maximum_);
  BarChanged();
}

}  // namespace markwell
