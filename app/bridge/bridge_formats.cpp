#include "bridge_formats.h"

#include <QColor>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace markwell::bridge {

namespace {

// The exact size in points, kept beside the drawn size when the two differ.
constexpr int kExactSizeProperty = QTextFormat::UserProperty + 0x4D57;
// The family once more, as a string: Qt finds a format among those it has
// by a hash that sees a list of families only as a list, so without it
// every distinct font would be compared with every other one.
constexpr int kFamilyKeyProperty = QTextFormat::UserProperty + 0x4D58;
// Qt 5's single family name; still found in formats that came from elsewhere.
constexpr int kOldFontFamilyProperty = 0x2000;
// A weight from which text counts as bold (CSS "600" and up).
constexpr int kBoldFrom = QFont::DemiBold;

int RoundedPoints(double points) {
  return static_cast<int>(std::lround(points));
}

std::string FamilyOf(const QTextCharFormat& format, const QFont& defaultFont) {
  if (format.hasProperty(QTextFormat::FontFamilies)) {
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty()) return ToUtf8(families.first());
  }
  if (format.hasProperty(kOldFontFamilyProperty)) {
    return ToUtf8(format.stringProperty(kOldFontFamilyProperty));
  }
  const QStringList families = defaultFont.families();
  return ToUtf8(families.isEmpty() ? defaultFont.family() : families.first());
}

int PointsOfFont(const QFont& font) {
  if (font.pointSizeF() > 0) return RoundedPoints(font.pointSizeF());
  return MulDivRound(font.pixelSize(), 72, kPixelsPerInch);
}

int SizeOf(const QTextCharFormat& format, const QFont& defaultFont) {
  if (format.hasProperty(QTextFormat::FontPointSize)) {
    const int shown = RoundedPoints(format.fontPointSize());
    // The exact size counts only while the drawn size still belongs to it.
    if (format.hasProperty(kExactSizeProperty)) {
      const int exact = format.intProperty(kExactSizeProperty);
      if (ShownSize(exact) == shown) return exact;
    }
    return shown;
  }
  if (format.hasProperty(QTextFormat::FontPixelSize)) {
    return MulDivRound(format.intProperty(QTextFormat::FontPixelSize), 72, kPixelsPerInch);
  }
  return PointsOfFont(defaultFont);
}

FontStyles StyleOf(const QTextCharFormat& format, const QFont& defaultFont) {
  FontStyles style;
  const bool bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= kBoldFrom
                                                                : defaultFont.weight() >= kBoldFrom;
  const bool italic =
      format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
  const bool underline = format.hasProperty(QTextFormat::TextUnderlineStyle) ||
                                 format.hasProperty(QTextFormat::FontUnderline)
                             ? format.fontUnderline()
                             : defaultFont.underline();
  const bool strikeOut = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut()
                                                                        : defaultFont.strikeOut();
  if (bold) style = style.With(FontStyle::Bold);
  if (italic) style = style.With(FontStyle::Italic);
  if (underline) style = style.With(FontStyle::Underline);
  if (strikeOut) style = style.With(FontStyle::StrikeOut);
  return style;
}

void SetStyle(QTextCharFormat& format, FontStyles style) {
  format.setFontWeight(style.Has(FontStyle::Bold) ? QFont::Bold : QFont::Normal);
  format.setFontItalic(style.Has(FontStyle::Italic));
  format.setFontUnderline(style.Has(FontStyle::Underline));
  format.setFontStrikeOut(style.Has(FontStyle::StrikeOut));
}

void SetName(QTextCharFormat& format, const std::string& name) {
  format.clearProperty(kOldFontFamilyProperty);
  const QString family = ToQString(name);
  format.setFontFamilies(QStringList{family});
  format.setProperty(kFamilyKeyProperty, family);
}

void SetSize(QTextCharFormat& format, int points) {
  format.clearProperty(QTextFormat::FontPixelSize);
  format.clearProperty(QTextFormat::FontSizeAdjustment);
  format.setFontPointSize(ShownSize(points));
  format.setProperty(kExactSizeProperty, points);
}

}  // namespace

int ShownSize(int points) {
  return std::clamp(points, kSmallestShownSize, kLargestShownSize);
}

QString ToQString(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToUtf8(const QString& text) {
  return text.toUtf8().toStdString();
}

QColor ToQColor(TextColor color) {
  if (IsAutomatic(color)) return {};
  const TextColor rgb = NormaliseColor(color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TextColor FromQColor(const QColor& color) {
  if (!color.isValid()) return kWindowTextColor;
  const QColor rgb = color.toRgb();
  return MakeRgb(static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
                 static_cast<std::uint8_t>(rgb.blue()));
}

CharFormat ToCharFormat(const QTextCharFormat& format, const QFont& defaultFont) {
  CharFormat result;
  result.style = StyleOf(format, defaultFont);
  result.fontName = FamilyOf(format, defaultFont);
  result.size = SizeOf(format, defaultFont);
  const QBrush foreground = format.foreground();
  result.color =
      format.hasProperty(QTextFormat::ForegroundBrush) && foreground.style() != Qt::NoBrush
          ? FromQColor(foreground.color())
          : kWindowTextColor;
  return result;
}

QTextCharFormat ToQtFormat(const CharFormat& format, QTextCharFormat base) {
  SetName(base, format.fontName);
  SetSize(base, format.size);
  SetStyle(base, format.style);
  if (IsAutomatic(format.color)) {
    base.clearForeground();
  } else {
    base.setForeground(ToQColor(format.color));
  }
  return base;
}

QTextCharFormat StyleFormat(FontStyles style) {
  QTextCharFormat format;
  SetStyle(format, style);
  return format;
}

QTextCharFormat NameFormat(const std::string& name) {
  QTextCharFormat format;
  SetName(format, name);
  return format;
}

QTextCharFormat SizeFormat(int points) {
  QTextCharFormat format;
  SetSize(format, points);
  return format;
}

QFont ToQFont(const BaseFont& font) {
  QFont result;
  result.setFamilies(QStringList{ToQString(font.Name())});
  result.setPointSize(ShownSize(font.Size()));
  result.setBold(font.Style().Has(FontStyle::Bold));
  result.setItalic(font.Style().Has(FontStyle::Italic));
  result.setUnderline(font.Style().Has(FontStyle::Underline));
  result.setStrikeOut(font.Style().Has(FontStyle::StrikeOut));
  return result;
}

BaseFont WithQFont(BaseFont font, const QFont& chosen) {
  font.SetName(ToUtf8(chosen.family()));
  if (chosen.pointSizeF() > 0) {
    font.SetSize(RoundedPoints(chosen.pointSizeF()));
  } else {
    font.SetHeight(-chosen.pixelSize());
  }
  FontStyles style;
  if (chosen.weight() >= kBoldFrom) style = style.With(FontStyle::Bold);
  if (chosen.italic()) style = style.With(FontStyle::Italic);
  if (chosen.underline()) style = style.With(FontStyle::Underline);
  if (chosen.strikeOut()) style = style.With(FontStyle::StrikeOut);
  font.SetStyle(style);
  return font;
}

}  // namespace markwell::bridge
