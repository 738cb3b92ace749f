// Reading the editor's QTextDocument into the engine's document content.
#pragma once

#include <QTextDocument>
#include <vector>

#include "document/document_content.h"

namespace markwell::bridge {

// Positions of one stretch of the widget's document against the engine's.
// A block boundary, a frame marker or a line separator is one character in
// the widget and CR LF, two characters, in the engine. A block boundary that
// the bridge made to keep a long line in short blocks (a join) is one
// character in the widget and none in the engine.
class PositionMap {
 public:
  explicit PositionMap(int qtBegin = 0) : qtBegin_(qtBegin) {}

  // Records a break or a join at `qtPos`; they are added in order.
  void AddBreak(int qtPos) { Add(qtPos, 2); }
  void AddJoin(int qtPos);

  int ToEngine(int qtPos) const;
  // A position between the CR and the LF of a break maps behind the break;
  // a position at a join maps behind the join.
  int ToQt(int enginePos) const;
  // The first join at or after `qtPos`, or INT_MAX.
  int NextJoin(int qtPos) const;

 private:
  struct Mark {
    int qt;      // offset from qtBegin_
    int engine;  // the engine offset where it starts
    int width;   // its characters in the engine
  };
  void Add(int qtPos, int width);

  int qtBegin_;
  std::vector<Mark> marks_;
  std::vector<int> joins_;  // widget positions
};

// Where a widget format starts in the engine text; it lasts to the next one.
struct QtFormatPiece {
  int engineStart;
  int formatIndex;  // index into QTextDocument::allFormats()
};

struct Snapshot {
  DocumentContent content;
  PositionMap positions;
  std::vector<QtFormatPiece> qtFormats;
};

// The characters [qtBegin, qtEnd) of `document` with their formats, as the
// widget draws them (unset properties come from the default font).
Snapshot ReadDocument(const QTextDocument& document, int qtBegin, int qtEnd);

// The whole text of `document` (without its final block end).
Snapshot ReadDocument(const QTextDocument& document);

}  // namespace markwell::bridge
