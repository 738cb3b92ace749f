#include "line_blocks.h"

namespace markwell::blocks {

namespace {

constexpr int kJoinProperty = QTextFormat::UserProperty + 0x4D59;

}  // namespace

bool IsJoinFormat(const QTextFormat& format) {
  return format.boolProperty(kJoinProperty);
}

QTextCharFormat AsJoinFormat(QTextCharFormat format) {
  format.setProperty(kJoinProperty, true);
  return format;
}

QTextCharFormat WithoutJoin(QTextCharFormat format) {
  format.clearProperty(kJoinProperty);
  return format;
}

bool StartsAfterJoin(const QTextBlock& block) {
  return block.isValid() && block.previous().isValid() && IsJoinFormat(block.charFormat());
}

void StepOverJoin(QTextCursor& cursor, bool forward, QTextCursor::MoveMode mode) {
  const QTextBlock block = cursor.block();
  if (forward) {
    if (cursor.atBlockEnd() && StartsAfterJoin(block.next())) {
      cursor.movePosition(QTextCursor::NextCharacter, mode);
    }
  } else if (cursor.atBlockStart() && StartsAfterJoin(block)) {
    cursor.movePosition(QTextCursor::PreviousCharacter, mode);
  }
}

void SelectLine(QTextCursor& cursor) {
  constexpr QChar separator(kLineSeparator);
  QTextBlock block = cursor.block();
  int inBlock = cursor.position() - block.position();
  int start = inBlock > 0 ? block.text().lastIndexOf(separator, inBlock - 1) + 1 : 0;
  while (start == 0 && StartsAfterJoin(block)) {
    block = block.previous();
    start = block.text().lastIndexOf(separator) + 1;
  }
  start += block.position();

  block = cursor.block();
  int end = block.text().indexOf(separator, inBlock);
  while (end < 0 && StartsAfterJoin(block.next())) {
    block = block.next();
    end = block.text().indexOf(separator);
  }
  end = end < 0 ? block.position() + block.length() - 1 : block.position() + end;

  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
}

}  // namespace markwell::blocks
