#include "qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace markwell {

bool InstallQtCzechTranslation(QTranslator& translator) {
  if (!translator.load(QStringLiteral("qtbase_cs"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return false;
  }
  return QCoreApplication::installTranslator(&translator);
}

}  // namespace markwell
