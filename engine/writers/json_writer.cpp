#include "writers/json_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

#include "text/utf8.h"

namespace markwell {

namespace {

void AppendEscape(char16_t unit, std::string& out) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
  out += escape;
}

// Flushes the buffer to the stream once it has grown, so the whole output
// is never held in memory.
void FlushIfLarge(std::string& buffer, std::ostream& out) {
  if (buffer.size() >= (1u << 16)) {
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
  }
}

void AppendNumber(int value, std::string& out) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

// What a run writes after its start and length: the same for every run of
// one format.
std::string RunFormatJson(const CharFormat& format) {
  const auto flag = [&](FontStyle style) { return format.style.Has(style) ? "true" : "false"; };
  std::string json = ", \"bold\": ";
  json += flag(FontStyle::Bold);
  json += ", \"italic\": ";
  json += flag(FontStyle::Italic);
  json += ", \"underline\": ";
  json += flag(FontStyle::Underline);
  json += ", \"strike\": ";
  json += flag(FontStyle::StrikeOut);
  json += ", \"color\": \"" + ColorName(format.color) + "\", \"font\": \"";
  AppendJsonString(std::string_view(format.fontName), json);
  json += "\", \"size\": ";
  AppendNumber(format.size, json);
  json += "}";
  return json;
}

}  // namespace

std::string ColorName(TextColor color) {
  if (IsAutomatic(color)) return "auto";
  char name[8];
  std::snprintf(name, sizeof name, "#%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
  return name;
}

void AppendJsonString(std::u16string_view text, std::string& out) {
  std::size_t plainStart = 0;
  auto flushPlain = [&](std::size_t end) {
    AppendUtf8(text.substr(plainStart, end - plainStart), out);
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0x20 && c != u'"' && c != u'\\' && c < 0xD800) continue;
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
      continue;
    }
    if (c > 0xDFFF) continue;
    flushPlain(i);
    switch (c) {
      case u'"':
        out += "\\\"";
        break;
      case u'\\':
        out += "\\\\";
        break;
      case u'\r':
        out += "\\r";
        break;
      case u'\n':
        out += "\\n";
        break;
      case u'\t':
        out += "\\t";
        break;
      default:
        AppendEscape(c, out);
        break;
    }
    plainStart = i + 1;
  }
  flushPlain(text.size());
}

void AppendJsonString(std::string_view utf8, std::string& out) {
  AppendJsonString(Utf16(utf8), out);
}

void WriteJson(const Document& document, std::ostream& out) {
  std::string buffer = "{\n  \"text\": \"";
  // The text in slices, so that a large document is not copied whole.
  const std::u16string_view text(document.Text());
  constexpr std::size_t kSlice = 1 << 15;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = std::min(text.size(), start + kSlice);
    // Never split a surrogate pair between two slices.
    if (end < text.size() && IsHighSurrogate(text[end - 1])) ++end;
    AppendJsonString(text.substr(start, end - start), buffer);
    FlushIfLarge(buffer, out);
    start = end;
  }
  buffer += "\",\n  \"selection\": {\"start\": " + std::to_string(document.SelStart()) +
            ", \"length\": " + std::to_string(document.SelLength()) + "},\n  \"runs\": [";

  bool first = true;
  const DocumentContent& content = document.Content();
  std::vector<std::string> formatJson(content.Table().Size());
  content.ForEachRun(0, content.Length(), [&](int start, int length, const CharFormat& format) {
    buffer += first ? "\n    {\"start\": " : ",\n    {\"start\": ";
    first = false;
    AppendNumber(start, buffer);
    buffer += ", \"length\": ";
    AppendNumber(length, buffer);
    std::string& json = formatJson[content.IndexAt(start)];
    if (json.empty()) json = RunFormatJson(format);
    buffer += json;
    FlushIfLarge(buffer, out);
  });
  buffer += first ? "]\n}\n" : "\n  ]\n}\n";
  out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

}  // namespace markwell
