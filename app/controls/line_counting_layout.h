// The text widget's layout. Qt's plain-text layout lays out only the blocks
// on screen and counts every other block as one line of the scroll bar. A
// block that holds several lines of the text (line_blocks.h) is counted as
// those lines instead, so that the scroll bar spans the whole text before
// it is laid out; laying a block out gives its true count, its wrapped
// lines included.
#pragma once

#include <QPlainTextDocumentLayout>
#include <QTextBlock>

namespace markwell {

class LineCountingLayout : public QPlainTextDocumentLayout {
 public:
  explicit LineCountingLayout(QTextDocument* document);

  // Counts the lines of every block again; the widget counts each block as
  // one line whenever its width changes.
  void CountAllLines();

 protected:
  void documentChanged(int from, int charsRemoved, int charsAdded) override;

 private:
  // Counts [first, last]; tells the widget when a count grew.
  void CountLines(QTextBlock first, const QTextBlock& last);
};

}  // namespace markwell
