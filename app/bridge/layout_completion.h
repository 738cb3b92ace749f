// A document that was filled in one piece is laid out lazily, a piece per
// timer tick. QTextDocumentLayout does not survive a small edit made
// meanwhile: it stops there and leaves the rest of the text without layout,
// drawn nowhere and counted with no height. Whatever edits the document
// lets the layout finish first; once it is finished this costs nothing.
#pragma once

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

namespace markwell {

inline void FinishLayout(const QTextDocument& document) {
  // documentSize() lays out whatever is left before it answers.
  static_cast<void>(document.documentLayout()->documentSize());
}

}  // namespace markwell
