// How the text is handed to the language library: a line at a time, without
// its line break, and a long line in pieces. The library's matching costs
// grow with the square of a line's length, so a line longer than the limit
// is cut, each piece carrying the definition's state on to the next as a
// line does.
#pragma once

#include <string_view>

namespace markwell {

struct TextLine {
  int start = 0;
  int length = 0;  // without its line break
};

// The line of `text` that starts at `start`: up to its line break (CR LF,
// a lone LF or a lone CR) or the end of the text.
TextLine LineAt(std::u16string_view text, int start);

// Where the line after `line` starts: behind its line break; one past the
// end of the text when `line` ends the text. A text that ends with a line
// break thus ends with an empty line.
int NextLineStart(std::u16string_view text, TextLine line);

// The longest line handed over whole, in UTF-16 units.
inline constexpr int kPieceLimit = 512;

// The length of the first piece of `line`: all of it within the limit, else
// up to and including its last blank or punctuation mark before the limit,
// else the limit; never between the two halves of a surrogate pair.
int FirstPieceLength(std::u16string_view line, int limit = kPieceLimit);

}  // namespace markwell
