#include "copied_selection.h"

#include "mime_types.h"
#include "writers/clipboard_content.h"

namespace markwell {

namespace {

const QString kHtml = QStringLiteral("text/html");
const QString kText = QStringLiteral("text/plain");
const QString kCrLf = QStringLiteral("\r\n");
const QString kLf = QStringLiteral("\n");

}  // namespace

CopiedSelection::CopiedSelection(Document selection) : selection_(std::move(selection)) {}

QStringList CopiedSelection::formats() const {
  return RtfMimeTypes() + QStringList{kHtml, kText};
}

QVariant CopiedSelection::retrieveData(const QString& mimeType, QMetaType type) const {
  if (RtfMimeTypes().contains(mimeType)) {
    if (!rtf_) rtf_ = QByteArray::fromStdString(SelectionAsRtf(selection_));
    return *rtf_;
  }
  if (mimeType == kHtml) {
    if (!html_) html_ = QByteArray::fromStdString(SelectionAsHtml(selection_));
    return *html_;
  }
  if (mimeType == kText) {
    // Text on this desktop breaks its lines with LF alone.
    if (!text_) text_ = QString::fromStdString(SelectionAsText(selection_)).replace(kCrLf, kLf);
    return *text_;
  }
  return QMimeData::retrieveData(mimeType, type);
}

}  // namespace markwell
