// The format of one character: style flags, colour, font name and size.
#pragma once

#include <cstdint>
#include <string>

namespace markwell {

// Style flags as the surface numbers them: bold = bit 0, italic = bit 1,
// underline = bit 2, strike-out = bit 3.
enum class FontStyle : std::uint8_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

class FontStyles {
 public:
  constexpr FontStyles() = default;
  constexpr explicit FontStyles(std::uint8_t bits) : bits_(bits & 0x0F) {}
  constexpr FontStyles(FontStyle s) : bits_(static_cast<std::uint8_t>(s)) {}  // NOLINT

  constexpr bool Has(FontStyle s) const { return (bits_ & static_cast<std::uint8_t>(s)) != 0; }
  constexpr FontStyles With(FontStyle s) const {
    return FontStyles(static_cast<std::uint8_t>(bits_ | static_cast<std::uint8_t>(s)));
  }
  constexpr FontStyles Without(FontStyle s) const {
    return FontStyles(static_cast<std::uint8_t>(bits_ & ~static_cast<std::uint8_t>(s)));
  }
  constexpr FontStyles operator|(FontStyles o) const {
    return FontStyles(static_cast<std::uint8_t>(bits_ | o.bits_));
  }
  constexpr std::uint8_t Bits() const { return bits_; }
  constexpr bool operator==(const FontStyles&) const = default;

 private:
  std::uint8_t bits_ = 0;
};

// A colour value: 24-bit RGB with red in the low byte, green in the second and
// blue in the third byte; or a system colour (high byte 0x80), of which the
// window-text colour stands for the automatic text colour.
using TextColor = std::uint32_t;

inline constexpr TextColor kWindowTextColor = 0x80000008;

constexpr TextColor MakeRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<TextColor>(red) | (static_cast<TextColor>(green) << 8) |
         (static_cast<TextColor>(blue) << 16);
}
constexpr std::uint8_t RedOf(TextColor c) {
  return c & 0xFF;
}
constexpr std::uint8_t GreenOf(TextColor c) {
  return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(TextColor c) {
  return (c >> 16) & 0xFF;
}
constexpr bool IsAutomatic(TextColor c) {
  return c == kWindowTextColor;
}

// What a colour written to the text becomes: the window-text colour selects
// automatic colour; any other value is converted to its RGB value.
TextColor NormaliseColor(TextColor c);

struct CharFormat {
  FontStyles style;
  TextColor color = kWindowTextColor;  // kWindowTextColor: automatic
  std::string fontName = "Times New Roman";
  int size = 10;  // whole points, unchecked (may be zero or negative)

  bool operator==(const CharFormat&) const = default;
};

}  // namespace markwell
