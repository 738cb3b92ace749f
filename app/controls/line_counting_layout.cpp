#include "line_counting_layout.h"

#include <QTextDocument>

#include "line_blocks.h"

namespace markwell {

LineCountingLayout::LineCountingLayout(QTextDocument* document)
    : QPlainTextDocumentLayout(document) {}

void LineCountingLayout::CountAllLines() {
  CountLines(document()->firstBlock(), document()->lastBlock());
}

void LineCountingLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
  QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
  const QTextDocument& text = *document();
  CountLines(text.findBlock(from), text.findBlock(from + charsAdded));
}

void LineCountingLayout::CountLines(QTextBlock block, const QTextBlock& last) {
  bool grew = false;
  while (block.isValid()) {
    // A block laid out counts its lines on screen, which are never fewer.
    const int lines = static_cast<int>(block.text().count(QChar(blocks::kLineSeparator))) + 1;
    if (block.isVisible() && block.lineCount() < lines) {
      block.setLineCount(lines);
      grew = true;
    }
    if (block == last) break;
    block = block.next();
  }
  if (grew) emit documentSizeChanged(documentSize());
}

}  // namespace markwell
