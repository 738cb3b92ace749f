// What a copy puts on the clipboard: the selection as RTF (under each of
// its names), HTML and plain text. Only what the copy needs is taken at
// once (the selection as an engine document and a snapshot of the widget's
// selection); each flavour is made when a program first asks for it, and
// always shows the selection as it was when it was copied.
#pragma once

#include <QMimeData>
#include <QString>
#include <optional>

#include "document.h"
#include "selection_snapshot.h"

namespace markwell {

class CopiedSelection : public QMimeData {
  Q_OBJECT

 public:
  // `selection`: the selection as an engine document, all of it selected.
  CopiedSelection(Document selection, SelectionSnapshot snapshot);

  QStringList formats() const override;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

 private:
  Document selection_;
  SelectionSnapshot snapshot_;
  mutable std::optional<QByteArray> rtf_;
  mutable std::optional<QByteArray> html_;
  mutable std::optional<QString> text_;
};

}  // namespace markwell
