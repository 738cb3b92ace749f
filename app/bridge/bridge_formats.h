// Character formats and fonts between the editor's QTextDocument and the
// engine. Only the document bridge uses these.
#pragma once

#include <QFont>
#include <QTextCharFormat>

#include "document/base_font.h"
#include "document/char_format.h"

namespace markwell::bridge {

// Sizes the widget can draw; a size outside this range is kept in the
// format, unchanged, and drawn at the nearest size inside it.
inline constexpr int kSmallestShownSize = 1;
inline constexpr int kLargestShownSize = 1638;
int ShownSize(int points);

// The engine's format of text in `format`; what the format leaves unset is
// taken from the document's default font (the base font), as the widget
// draws it.
CharFormat ToCharFormat(const QTextCharFormat& format, const QFont& defaultFont);

// `base` with the engine's attributes set on it: font name, size, the four
// style flags and the colour (automatic: no foreground). Other properties of
// `base` (a background, a link) are kept.
QTextCharFormat ToQtFormat(const CharFormat& format, QTextCharFormat base = {});

// The same attributes one at a time, as a format to merge.
QTextCharFormat StyleFormat(FontStyles style);
QTextCharFormat NameFormat(const std::string& name);
QTextCharFormat SizeFormat(int points);

// An invalid QColor stands for the automatic colour.
QColor ToQColor(TextColor color);
TextColor FromQColor(const QColor& color);

QFont ToQFont(const BaseFont& font);
// `font` with the name, size and style of `chosen`; colour and charset stay.
BaseFont WithQFont(BaseFont font, const QFont& chosen);

QString ToQString(const std::string& utf8);
std::string ToUtf8(const QString& text);

}  // namespace markwell::bridge
