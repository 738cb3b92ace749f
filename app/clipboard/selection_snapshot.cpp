#include "selection_snapshot.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

namespace markwell {

namespace {

// QTextDocument::toPlainText's replacements of the widget's special
// characters.
QString WidgetPlainText(QString text) {
  for (QChar& c : text) {
    switch (c.unicode()) {
      case 0xFDD0:  // start of a frame
      case 0xFDD1:  // end of a frame
      case QChar::ParagraphSeparator:
      case QChar::LineSeparator:
        c = u'\n';
        break;
      case QChar::Nbsp:
        c = u' ';
        break;
      default:
        break;
    }
  }
  return text;
}

}  // namespace

SelectionSnapshot::SelectionSnapshot(const QTextCursor& selection) {
  const QTextDocument* document = selection.document();
  if (document == nullptr || !selection.hasSelection()) {
    fragment_ = QTextDocumentFragment();
  } else if (selection.hasComplexSelection() || !document->rootFrame()->childFrames().isEmpty()) {
    fragment_ = selection.selection();
  } else {
    CopyBlocks(selection);
  }
}

void SelectionSnapshot::CopyBlocks(const QTextCursor& selection) {
  const QTextDocument& document = *selection.document();
  formats_ = document.allFormats();
  std::vector<bool> objectFormat(static_cast<std::size_t>(formats_.size()));
  for (qsizetype i = 0; i < formats_.size(); ++i) {
    objectFormat[static_cast<std::size_t>(i)] = formats_[i].objectIndex() != -1;
  }
  const auto isObject = [&objectFormat](int index) {
    return index < 0 || static_cast<std::size_t>(index) >= objectFormat.size() ||
           objectFormat[static_cast<std::size_t>(index)];
  };

  const int start = selection.selectionStart();
  const int end = selection.selectionEnd();
  QTextBlock first = document.findBlock(start);
  // Qt's copy of a selection from position 0 also takes the first block's
  // formats: the copy starts one block earlier unless the selection starts
  // the document, so that its selection starts at 0 exactly when this does.
  if (start > 0 && first.position() == start) first = first.previous();
  const QTextBlock last = document.findBlock(end);
  const int base = first.position();

  for (QTextBlock block = first; block.isValid(); block = block.next()) {
    if (block != first) text_.append(QChar::ParagraphSeparator);
    Block copied{0, block.blockFormatIndex(), block.charFormatIndex()};
    bool objects = isObject(copied.blockFormat) || isObject(copied.charFormat);
    for (auto it = block.begin(); !it.atEnd() && !objects; ++it) {
      const QTextFragment fragment = it.fragment();
      objects = isObject(fragment.charFormatIndex());
      text_ += fragment.text();
      runs_.push_back({fragment.length(), fragment.charFormatIndex()});
      ++copied.runCount;
    }
    if (objects) {
      formats_.clear();
      text_.clear();
      blocks_.clear();
      runs_.clear();
      fragment_ = selection.selection();
      return;
    }
    blocks_.push_back(copied);
    if (block == last) break;
  }
  start_ = start - base;
  end_ = end - base;
}

QTextDocumentFragment SelectionSnapshot::Fragment() const {
  if (fragment_) return *fragment_;
  // The same blocks with the same formats, then Qt's own copy of the same
  // selection in them.
  QTextDocument document;
  document.setUndoRedoEnabled(false);
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  qsizetype at = 0;
  auto run = runs_.begin();
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    const Block& block = blocks_[i];
    const QTextBlockFormat blockFormat = formats_.value(block.blockFormat).toBlockFormat();
    const QTextCharFormat charFormat = formats_.value(block.charFormat).toCharFormat();
    if (i == 0) {
      cursor.setBlockFormat(blockFormat);
      cursor.setBlockCharFormat(charFormat);
    } else {
      cursor.insertBlock(blockFormat, charFormat);
      ++at;  // the separator
    }
    for (int k = 0; k < block.runCount; ++k, ++run) {
      cursor.insertText(text_.mid(at, run->length), formats_.value(run->format).toCharFormat());
      at += run->length;
    }
  }
  cursor.endEditBlock();
  QTextCursor selection(&document);
  selection.setPosition(start_);
  selection.setPosition(end_, QTextCursor::KeepAnchor);
  return selection.selection();
}

QString SelectionSnapshot::ToPlainText() const {
  if (fragment_) return fragment_->toPlainText();
  return WidgetPlainText(text_.mid(start_, end_ - start_));
}

}  // namespace markwell
