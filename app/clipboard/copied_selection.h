// What a copy puts on the clipboard: the selection as RTF (under each of
// its names), HTML and plain text. Only the selection as an engine document
// is taken at once; each flavour is made from it when a program first asks
// for it, and always shows the selection as it was when it was copied.
#pragma once

#include <QMimeData>
#include <QString>
#include <optional>

#include "document/document.h"

namespace markwell {

class CopiedSelection : public QMimeData {
  Q_OBJECT

 public:
  // `selection`: the selection as an engine document, all of it selected.
  explicit CopiedSelection(Document selection);

  QStringList formats() const override;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

 private:
  Document selection_;
  mutable std::optional<QByteArray> rtf_;
  mutable std::optional<QByteArray> html_;
  mutable std::optional<QString> text_;
};

}  // namespace markwell
