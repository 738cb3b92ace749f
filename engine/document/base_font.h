// The base font of the document: the font that new text takes and that the
// reset copies into the text.
#pragma once

#include <string>

#include "document/char_format.h"

namespace markwell {

inline constexpr int kPixelsPerInch = 96;
inline constexpr int kCentralEuropeanCharset = 238;

// a * b / c rounded to the nearest integer, halves away from zero; 0 when c is 0.
int MulDivRound(int a, int b, int c);

class BaseFont {
 public:
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // Size in points; derived from the pixel height at 96 pixels per inch.
  int Size() const { return -MulDivRound(height_, 72, kPixelsPerInch); }
  void SetSize(int points) { height_ = -MulDivRound(points, kPixelsPerInch, 72); }
  // Pixel height; negative for the character height.
  int Height() const { return height_; }
  void SetHeight(int height) { height_ = height; }
  FontStyles Style() const { return style_; }
  void SetStyle(FontStyles style) { style_ = style; }
  TextColor Color() const { return color_; }
  void SetColor(TextColor color) { color_ = color; }
  int Charset() const { return charset_; }
  void SetCharset(int charset) { charset_ = charset; }

  // The character format that text in this font has.
  CharFormat AsCharFormat() const;

 private:
  std::string name_ = "Times New Roman";
  int height_ = -13;
  FontStyles style_;
  TextColor color_ = kWindowTextColor;
  int charset_ = kCentralEuropeanCharset;
};

}  // namespace markwell
