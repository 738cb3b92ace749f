#include "mime_types.h"

namespace markwell {

const QStringList& RtfMimeTypes() {
  static const QStringList types = {
      QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
      QStringLiteral("text/richtext"),
      QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\"")};
  return types;
}

}  // namespace markwell
