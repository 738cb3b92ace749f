#include "html_writer.h"

#include <cstdio>

#include "json_writer.h"
#include "utf8.h"

namespace markwell {

namespace {

void AppendEscapedHtml(std::u16string_view text, std::string& out) {
  std::size_t plainStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const char* replacement = nullptr;
    switch (c) {
      case u'&':
        replacement = "&amp;";
        break;
      case u'<':
        replacement = "&lt;";
        break;
      case u'>':
        replacement = "&gt;";
        break;
      case u'"':
        replacement = "&quot;";
        break;
      case u'\'':
        replacement = "&#39;";
        break;
      case u'\r':
        replacement = "";
        break;  // the LF after it is the line break
      case u'\n':
      case u'\t':
        continue;
      default:
        // Other control characters have no place in HTML text.
        if (c < 0x20 || c == 0x7F) replacement = "\xEF\xBF\xBD";
        break;
    }
    if (!replacement) continue;
    AppendUtf8(text.substr(plainStart, i - plainStart), out);
    out += replacement;
    plainStart = i + 1;
  }
  AppendUtf8(text.substr(plainStart), out);
}

// A font name as a CSS string: everything but letters, digits and blanks as
// a CSS escape, so that no name can end the string, the style or the tag.
std::string CssString(const std::string& utf8) {
  std::string css = "'";
  for (char32_t c : Utf16(utf8)) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') {
      css += static_cast<char>(c);
    } else {
      char escape[12];
      std::snprintf(escape, sizeof escape, "\\%x ", static_cast<unsigned>(c));
      css += escape;
    }
  }
  return css + "'";
}

std::string StyleOf(const CharFormat& format) {
  std::string style = "font-family:" + CssString(format.fontName) +
                      ";font-size:" + std::to_string(format.size) + "pt";
  if (format.style.Has(FontStyle::Bold)) style += ";font-weight:bold";
  if (format.style.Has(FontStyle::Italic)) style += ";font-style:italic";
  const bool underline = format.style.Has(FontStyle::Underline);
  const bool strike = format.style.Has(FontStyle::StrikeOut);
  if (underline || strike) {
    style += ";text-decoration:";
    style += underline && strike ? "underline line-through"
             : underline         ? "underline"
                                 : "line-through";
  }
  if (!IsAutomatic(format.color)) style += ";color:" + ColourName(format.color);
  return style;
}

}  // namespace

void WriteHtml(const DocumentContent& content, const std::string& title, std::ostream& out) {
  std::string buffer = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
  AppendEscapedHtml(Utf16(title), buffer);
  buffer += "</title>\n</head>\n<body>\n<pre style=\"white-space:pre-wrap\">";
  const std::u16string_view text(content.Text());
  content.ForEachRun(0, content.Length(), [&](int start, int length, const CharFormat& format) {
    buffer += "<span style=\"";
    AppendEscapedHtml(Utf16(StyleOf(format)), buffer);
    buffer += "\">";
    AppendEscapedHtml(
        text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)), buffer);
    buffer += "</span>";
    if (buffer.size() >= (1u << 16)) {
      out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      buffer.clear();
    }
  });
  buffer += "</pre>\n</body>\n</html>\n";
  out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

}  // namespace markwell
