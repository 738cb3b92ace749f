// Long lines in short blocks. The widget lays out and shapes a whole block
// whenever any of it is shown or changed, so a line of megabytes, or one
// whose characters carry thousands of formats, would freeze it. The bridge
// therefore cuts a line longer than kLongestBlock into blocks; the block
// ends it adds (joins) carry a mark in their character format and stand for
// no character of the text. The widget wraps there as it wraps any line.
#pragma once

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>

namespace markwell::bridge {

// Characters after which a line is cut at its next space or tab, and the
// most it holds without one.
inline constexpr int kLongestBlock = 1024;
inline constexpr int kLongestUnbrokenBlock = kLongestBlock + 64;

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

}  // namespace markwell::bridge
