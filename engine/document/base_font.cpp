#include "document/base_font.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace markwell {

int MulDivRound(int a, int b, int c) {
  if (c == 0) return 0;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t quotient = product / c;
  const std::int64_t remainder = product % c;
  if (2 * std::llabs(remainder) >= std::llabs(static_cast<std::int64_t>(c))) {
    quotient += ((product < 0) != (c < 0)) ? -1 : 1;
  }
  if (quotient > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (quotient < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(quotient);
}

CharFormat BaseFont::AsCharFormat() const {
  CharFormat format;
  format.style = style_;
  format.color = NormaliseColor(color_);
  format.fontName = name_;
  format.size = Size();
  return format;
}

}  // namespace markwell
