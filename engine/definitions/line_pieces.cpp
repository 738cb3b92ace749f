#include "definitions/line_pieces.h"

namespace markwell {

namespace {

// A character after which a piece may end: a blank, or ASCII punctuation
// other than the underscore, which belongs to words.
bool EndsPiece(char16_t c) {
  if (c == u' ' || c == u'\t') return true;
  const bool punctuation = (c >= u'!' && c <= u'/') || (c >= u':' && c <= u'@') ||
                           (c >= u'[' && c <= u'`') || (c >= u'{' && c <= u'~');
  return punctuation && c != u'_';
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

std::vector<TextLine> SplitLines(std::u16string_view text) {
  std::vector<TextLine> lines;
  const int length = static_cast<int>(text.size());
  int start = 0;
  for (int p = 0; p < length; ++p) {
    const char16_t c = text[static_cast<std::size_t>(p)];
    if (c != u'\r' && c != u'\n') continue;
    lines.push_back({start, p - start});
    if (c == u'\r' && p + 1 < length && text[static_cast<std::size_t>(p) + 1] == u'\n') ++p;
    start = p + 1;
  }
  lines.push_back({start, length - start});
  return lines;
}

int FirstPieceLength(std::u16string_view line, int limit) {
  const int length = static_cast<int>(line.size());
  if (length <= limit) return length;
  for (int end = limit; end > 1; --end) {
    if (EndsPiece(line[static_cast<std::size_t>(end) - 1])) return end;
  }
  return limit > 1 && IsHighSurrogate(line[static_cast<std::size_t>(limit) - 1]) ? limit - 1
                                                                                 : limit;
}

}  // namespace markwell
