#include "writers/html_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <vector>

#include "text/utf8.h"
#include "writers/json_writer.h"

namespace markwell {

namespace {

// HTML's spelling of an ASCII character, or null where it stands as itself.
constexpr const char* EscapeOf(char16_t c) {
  switch (c) {
    case u'&':
      return "&amp;";
    case u'<':
      return "&lt;";
    case u'>':
      return "&gt;";
    case u'"':
      return "&quot;";
    case u'\'':
      return "&#39;";
    case u'\r':
      return "";  // the LF after it is the line break
    case u'\n':
    case u'\t':
      return nullptr;
    default:
      // Other control characters have no place in HTML text.
      return c < 0x20 || c == 0x7F ? "\xEF\xBF\xBD" : nullptr;
  }
}

// The ASCII characters that stand in HTML text as themselves.
constexpr std::array<bool, 128> kStandsAsItself = [] {
  std::array<bool, 128> table{};
  for (char16_t c = 0; c < 128; ++c) table[c] = EscapeOf(c) == nullptr;
  return table;
}();

void AppendEscapedHtml(std::u16string_view text, std::string& out) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = i;
    while (end < text.size() && text[end] < 0x80 && kStandsAsItself[text[end]]) ++end;
    if (end > i) {
      // Plain ASCII, one byte each.
      const std::size_t at = out.size();
      out.resize(at + (end - i));
      std::transform(text.begin() + static_cast<std::ptrdiff_t>(i),
                     text.begin() + static_cast<std::ptrdiff_t>(end),
                     out.begin() + static_cast<std::ptrdiff_t>(at),
                     [](char16_t c) { return static_cast<char>(c); });
      i = end;
    } else if (text[i] >= 0x80) {
      // Beyond ASCII: the whole stretch at once, surrogate pairs included.
      while (end < text.size() && text[end] >= 0x80) ++end;
      AppendUtf8(text.substr(i, end - i), out);
      i = end;
    } else {
      out += EscapeOf(text[i++]);
    }
  }
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
  if (!IsAutomatic(format.color)) style += ";color:" + ColorName(format.color);
  return style;
}

// The declarations of `format` that differ from `base`; all of them when
// `base` is null.
std::string StyleDifference(const CharFormat* base, const CharFormat& format) {
  std::string style;
  const auto add = [&style](const std::string& declaration) {
    if (!style.empty()) style += ';';
    style += declaration;
  };
  const auto differs = [base](auto member) { return base == nullptr || member(*base); };
  if (differs([&](const CharFormat& b) { return b.fontName != format.fontName; })) {
    add("font-family:" + CssString(format.fontName));
  }
  if (differs([&](const CharFormat& b) { return b.size != format.size; })) {
    add("font-size:" + std::to_string(format.size) + "pt");
  }
  const auto flagDiffers = [&](FontStyle flag) {
    return differs(
        [&](const CharFormat& b) { return b.style.Has(flag) != format.style.Has(flag); });
  };
  if (flagDiffers(FontStyle::Bold)) {
    add(format.style.Has(FontStyle::Bold) ? "font-weight:bold" : "font-weight:normal");
  }
  if (flagDiffers(FontStyle::Italic)) {
    add(format.style.Has(FontStyle::Italic) ? "font-style:italic" : "font-style:normal");
  }
  if (flagDiffers(FontStyle::Underline) || flagDiffers(FontStyle::StrikeOut)) {
    const bool underline = format.style.Has(FontStyle::Underline);
    const bool strike = format.style.Has(FontStyle::StrikeOut);
    add(std::string("text-decoration:") + (underline && strike ? "underline line-through"
                                           : underline         ? "underline"
                                           : strike            ? "line-through"
                                                               : "none"));
  }
  if (differs([&](const CharFormat& b) { return !(b.color == format.color); })) {
    // Automatic text takes the colour of the text it is pasted into.
    if (!IsAutomatic(format.color)) {
      add("color:" + ColorName(format.color));
    } else if (base != nullptr) {
      add("color:inherit");
    }
  }
  return style;
}

// The format that covers most characters: the fragment's own, which its
// runs need not repeat.
FormatTable::Index CommonestFormat(const DocumentContent& content, int begin, int end) {
  std::vector<std::size_t> characters(content.Table().Size());
  const FormatIndexArray& indices = content.Indices();
  auto pos = static_cast<std::size_t>(begin);
  while (pos < static_cast<std::size_t>(end)) {
    const std::size_t stretchEnd = indices.StretchEnd(pos, static_cast<std::size_t>(end));
    characters[indices[pos]] += stretchEnd - pos;
    pos = stretchEnd;
  }
  return static_cast<FormatTable::Index>(std::max_element(characters.begin(), characters.end()) -
                                         characters.begin());
}

}  // namespace

std::string HtmlFragment(const DocumentContent& content, int begin, int end) {
  std::string buffer;
  // Most of a source is text, with a tag for a few of its words.
  buffer.reserve(static_cast<std::size_t>(end - begin) * 2 + 256);
  buffer += "<meta charset=\"utf-8\"><pre style=\"white-space:pre-wrap";
  const std::u16string_view text =
      std::u16string_view(content.Text())
          .substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
  const CharFormat* common = nullptr;
  if (!text.empty()) {
    common = &content.Table().Get(CommonestFormat(content, begin, end));
    buffer += ';';
    AppendEscapedHtml(Utf16(StyleDifference(nullptr, *common)), buffer);
  }
  buffer += "\">";
  // A line break right after <pre> is not part of its text.
  if (!text.empty() && (text.front() == u'\r' || text.front() == u'\n')) buffer += '\n';
  // Each format's opening tag made once: most runs are single tokens.
  std::vector<std::optional<std::string>> openings(content.Table().Size());
  const FormatIndexArray& indices = content.Indices();
  content.ForEachRun(begin, end, [&](int start, int length, const CharFormat& format) {
    std::optional<std::string>& opening = openings[indices[static_cast<std::size_t>(start)]];
    if (!opening) {
      const std::string style = StyleDifference(common, format);
      opening.emplace();
      if (!style.empty()) {
        *opening = "<span style=\"";
        AppendEscapedHtml(Utf16(style), *opening);
        *opening += "\">";
      }
    }
    buffer += *opening;
    AppendEscapedHtml(
        text.substr(static_cast<std::size_t>(start - begin), static_cast<std::size_t>(length)),
        buffer);
    if (!opening->empty()) buffer += "</span>";
  });
  buffer += "</pre>";
  return buffer;
}

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
