// How the lines of the text sit in the widget's blocks. The widget lays out
// and shapes a whole block whenever any of it is shown or changed, and each
// block costs it time and memory to make and keep. So the bridge keeps its
// blocks near a thousand characters:
// - short lines share a block: a line break inside a block is the widget's
//   line separator (U+2028), which it draws as a line end; a block ends at
//   the first line break once it holds kFullBlock characters;
// - a line longer than kLongestBlock is cut into blocks; the block ends it
//   adds (joins) carry a mark in their character format and stand for no
//   character of the text. The widget wraps there as it wraps any line.
// Enter and pasted text make block ends; both kinds of break are the same
// line break of the text. The bridge writes the blocks so; the widget, its
// layout and its accessible interface read them.
#pragma once

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>

namespace markwell::blocks {

// Characters after which a line is cut at its next space or tab, and the
// most it holds without one.
inline constexpr int kLongestBlock = 1024;
inline constexpr int kLongestUnbrokenBlock = kLongestBlock + 64;
// Characters after which the next line break ends the block.
inline constexpr int kFullBlock = 512;

// A line break inside a block.
inline constexpr char16_t kLineSeparator = 0x2028;

bool IsJoinFormat(const QTextFormat& format);
// `format` marked as, or cleared of, a join's format.
QTextCharFormat AsJoinFormat(QTextCharFormat format);
QTextCharFormat WithoutJoin(QTextCharFormat format);

// Whether the block end that precedes `block` is a join.
bool StartsAfterJoin(const QTextBlock& block);

// Where a key that moves or deletes one character acts on the text: the
// cursor moved over a join beside it first (towards `forward`), so that the
// key reaches the character the user sees next to the caret.
void StepOverJoin(QTextCursor& cursor, bool forward, QTextCursor::MoveMode mode);

// Selects the line of the text around `cursor`'s position, across joins and
// without its line break, as a triple click does.
void SelectLine(QTextCursor& cursor);

}  // namespace markwell::blocks
