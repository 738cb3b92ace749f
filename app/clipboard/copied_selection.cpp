#include "copied_selection.h"

#include "clipboard_content.h"
#include "mime_types.h"

namespace markwell {

namespace {

const QString kHtml = QStringLiteral("text/html");
const QString kText = QStringLiteral("text/plain");

}  // namespace

CopiedSelection::CopiedSelection(Document selection, SelectionSnapshot snapshot)
    : selection_(std::move(selection)), snapshot_(std::move(snapshot)) {}

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
    if (!text_) text_ = snapshot_.ToPlainText();
    return *text_;
  }
  return QMimeData::retrieveData(mimeType, type);
}

}  // namespace markwell
