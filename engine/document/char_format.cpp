#include "document/char_format.h"

#include <array>

namespace markwell {

namespace {

// RGB values of the classic system colours, by their index in the low byte.
constexpr std::array<TextColor, 31> kSystemColors = {
    MakeRgb(212, 208, 200), MakeRgb(58, 110, 165),  MakeRgb(10, 36, 106),   MakeRgb(128, 128, 128),
    MakeRgb(212, 208, 200), MakeRgb(255, 255, 255), MakeRgb(0, 0, 0),       MakeRgb(0, 0, 0),
    MakeRgb(0, 0, 0),       MakeRgb(255, 255, 255), MakeRgb(212, 208, 200), MakeRgb(212, 208, 200),
    MakeRgb(128, 128, 128), MakeRgb(10, 36, 106),   MakeRgb(255, 255, 255), MakeRgb(212, 208, 200),
    MakeRgb(128, 128, 128), MakeRgb(128, 128, 128), MakeRgb(0, 0, 0),       MakeRgb(212, 208, 200),
    MakeRgb(255, 255, 255), MakeRgb(64, 64, 64),    MakeRgb(212, 208, 200), MakeRgb(0, 0, 0),
    MakeRgb(255, 255, 225), MakeRgb(0, 0, 0),       MakeRgb(0, 0, 128),     MakeRgb(166, 202, 240),
    MakeRgb(192, 192, 192), MakeRgb(49, 106, 197),  MakeRgb(236, 233, 216)};

}  // namespace

TextColor NormaliseColor(TextColor c) {
  if (c == kWindowTextColor) return c;
  if ((c & 0xFF000000u) == 0x80000000u) {
    const std::uint32_t index = c & 0xFF;
    return index < kSystemColors.size() ? kSystemColors[index] : MakeRgb(0, 0, 0);
  }
  return c & 0x00FFFFFFu;
}

}  // namespace markwell
