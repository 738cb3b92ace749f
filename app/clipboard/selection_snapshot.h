// A copy of the selected stretch of the editor's document in the widget's
// own terms: the text, the character format of every fragment and the block
// and block character format of every block around the selection. Taking it
// costs one walk over the selection; the plain text that the widget would
// give for the selection at that moment is made from it only when someone
// asks for it, however the document changes meanwhile.
#pragma once

#include <QList>
#include <QString>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextFormat>
#include <optional>
#include <vector>

namespace markwell {

class SelectionSnapshot {
 public:
  explicit SelectionSnapshot(const QTextCursor& selection);

  // What QTextCursor::selection() would have given at the time of the copy.
  QTextDocumentFragment Fragment() const;
  // The fragment's plain text, as the widget makes it.
  QString ToPlainText() const;

 private:
  struct Run {
    int length;
    int format;  // index into formats_
  };
  struct Block {
    int runCount;
    int blockFormat;  // indices into formats_
    int charFormat;
  };

  void CopyBlocks(const QTextCursor& selection);

  QList<QTextFormat> formats_;
  // The blocks' text, each block but the last followed by its separator.
  QString text_;
  std::vector<Block> blocks_;
  std::vector<Run> runs_;
  // The selection in positions of text_.
  int start_ = 0;
  int end_ = 0;
  // Lists, tables and frames are objects of the document that a copy of
  // the text and the formats does not carry: such a selection is taken as
  // the widget's own fragment at once.
  std::optional<QTextDocumentFragment> fragment_;
};

}  // namespace markwell
