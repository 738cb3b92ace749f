#include "rich_edit.h"

#include <QMimeData>

namespace markwell {

const QStringList& RtfMimeTypes() {
  // The last is the name Qt gives the Windows clipboard's RTF.
  static const QStringList types = {
      QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
      QStringLiteral("text/richtext"),
      QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\"")};
  return types;
}

RichEdit::RichEdit(QWidget* parent) : QTextEdit(parent) {}

void RichEdit::SetClipboardHandlers(MakeMimeData make, InsertMimeData insert) {
  make_ = std::move(make);
  insert_ = std::move(insert);
}

QMimeData* RichEdit::createMimeDataFromSelection() const {
  if (!make_) return QTextEdit::createMimeDataFromSelection();
  // The caller takes the data over.
  return make_().release();
}

bool RichEdit::canInsertFromMimeData(const QMimeData* source) const {
  for (const QString& type : RtfMimeTypes()) {
    if (source->hasFormat(type)) return true;
  }
  return QTextEdit::canInsertFromMimeData(source);
}

void RichEdit::insertFromMimeData(const QMimeData* source) {
  if (insert_) {
    insert_(*source);
  } else {
    QTextEdit::insertFromMimeData(source);
  }
}

}  // namespace markwell
