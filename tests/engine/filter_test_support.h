// Helpers for the token style, run and filter tests: a progress view that
// records every bar write, keyword lists from literals, and a readable
// rendering of a document's marking.
#pragma once

#include <array>
#include <cstdio>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "document/line_breaks.h"
#include "keywords/keyword_list.h"
#include "run/progress_view.h"
#include "text/utf8.h"

namespace markwell::filter_test {

// One write of the bar as the window would show it, with the selection start
// at that moment (which tells where the filter stood).
struct BarWrite {
  int maximum;
  int position;
  int selStart;
  bool operator==(const BarWrite&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const BarWrite& w) {
  return os << "{max " << w.maximum << ", pos " << w.position << ", sel " << w.selStart << "}";
}

class RecordingProgress : public ProgressView {
 public:
  explicit RecordingProgress(const Document& document) : document_(document) {}

  void SetLabelCaption(const std::string& caption) override { captions.push_back(caption); }

  std::vector<std::string> captions;
  std::vector<BarWrite> writes;

 protected:
  void BarChanged() override {
    writes.push_back({BarMaximum(), BarPosition(), document_.SelStart()});
  }

 private:
  const Document& document_;
};

inline KeywordList MakeKeywords(std::initializer_list<std::string_view> entries) {
  KeywordList list;
  for (std::string_view entry : entries) list.Add(entry);
  return list;
}

// The document's text as UTF-8 with every run whose format differs from the
// base font enclosed in a tag: the token style's name when the run has
// exactly that style's look (e.g. <DKey>begin</DKey>), otherwise a
// description such as <b> or <bi#ff0000> (style flags b, i, u, s or "plain",
// then the colour as #rrggbb when it differs from the base font's, then
// @font and a size in pt when those differ).
// Line breaks: a CR LF pair in one format is written as a line feed; any
// other CR is written as "↵", so a line comment that keeps its CR reads
// <DKoment>// note↵</DKoment> followed by the line feed.
inline std::string TagOf(const CharFormat& format, const CharFormat& base) {
  if (format == base) return {};
  struct TokenLook {
    const char* name;
    FontStyles style;
    TextColor color;
  };
  // The token styles' looks, written out independently of the engine's table.
  static constexpr std::array<TokenLook, 6> kLooks{{
      {"DKoment", FontStyle::Italic, 0x808080},
      {"DKey", FontStyle::Bold, 0x000000},
      {"DText", FontStyles(), 0x000080},
      {"MKoment", FontStyles(), 0x228B22},
      {"MKey", FontStyles(), 0xFF0000},
      {"MText", FontStyles(), 0x0000B2},
  }};
  const bool sameFont = format.fontName == base.fontName && format.size == base.size;
  for (const TokenLook& look : kLooks) {
    if (sameFont && format.style == look.style && format.color == look.color) return look.name;
  }
  std::string tag;
  if (format.style.Has(FontStyle::Bold)) tag += 'b';
  if (format.style.Has(FontStyle::Italic)) tag += 'i';
  if (format.style.Has(FontStyle::Underline)) tag += 'u';
  if (format.style.Has(FontStyle::StrikeOut)) tag += 's';
  if (tag.empty()) tag = "plain";
  if (format.color != base.color) {
    if (IsAutomatic(format.color)) {
      tag += "#auto";
    } else {
      char rgb[8];
      std::snprintf(rgb, sizeof rgb, "#%02x%02x%02x", RedOf(format.color), GreenOf(format.color),
                    BlueOf(format.color));
      tag += rgb;
    }
  }
  if (format.fontName != base.fontName) tag += "@" + format.fontName;
  if (format.size != base.size) tag += std::to_string(format.size) + "pt";
  return tag;
}

inline std::string RenderMarking(const Document& document) {
  const DocumentContent& content = document.Content();
  const std::u16string& text = content.Text();
  const CharFormat base = document.Font().AsCharFormat();
  std::u16string out;
  std::string open;  // the tag of the run being written; empty for plain text
  for (int pos = 0; pos < content.Length(); ++pos) {
    if (pos == 0 || content.IndexAt(pos) != content.IndexAt(pos - 1)) {
      const std::string tag = TagOf(content.FormatAt(pos), base);
      if (tag != open) {
        if (!open.empty()) out += Utf16("</" + open + ">");
        if (!tag.empty()) out += Utf16("<" + tag + ">");
        open = tag;
      }
    }
    const char16_t c = text[static_cast<std::size_t>(pos)];
    if (c == kCR && pos + 1 < content.Length() && text[static_cast<std::size_t>(pos) + 1] == kLF &&
        content.IndexAt(pos + 1) == content.IndexAt(pos)) {
      out += kLF;
      ++pos;
    } else if (c == kCR) {
      out += u'\u21B5';
    } else {
      out += c;
    }
  }
  if (!open.empty()) out += Utf16("</" + open + ">");
  return EncodeUtf8(out);
}

}  // namespace markwell::filter_test
