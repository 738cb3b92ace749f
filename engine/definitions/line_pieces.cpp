#include "definitions/line_pieces.h"

#include "text/utf8.h"

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

}  // namespace

TextLine LineAt(std::u16string_view text, int start) {
  const std::size_t end = text.find_first_of(u"\r\n", static_cast<std::size_t>(start));
  const int length = static_cast<int>(end == std::u16string_view::npos ? text.size() : end) - start;
  return {start, length};
}

int NextLineStart(std::u16string_view text, TextLine line) {
  const std::size_t end = static_cast<std::size_t>(line.start + line.length);
  if (end == text.size()) return static_cast<int>(end) + 1;
  const bool crLf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
  return static_cast<int>(end) + (crLf ? 2 : 1);
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
