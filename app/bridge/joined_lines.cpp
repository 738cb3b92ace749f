#include "joined_lines.h"

namespace markwell::bridge {

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

}  // namespace markwell::bridge
