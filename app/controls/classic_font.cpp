#include "classic_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace markwell {

namespace {

constexpr int kPixelHeight = 11;

// The classic face, its TrueType twin, then faces of Arial's widths.
const char* const kFamilies[] = {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
                                 "Arial"};

}  // namespace

QFont ClassicFont() {
  // Chosen among the installed families themselves: asked for a missing
  // family, fontconfig would answer with its default sans face, which is
  // wider, and the captions would no longer fit their controls.
  const QStringList installed = QFontDatabase::families();
  QFont font;
  for (const char* family : kFamilies) {
    if (installed.contains(QLatin1String(family), Qt::CaseInsensitive)) {
      font.setFamily(QLatin1String(family));
      break;
    }
  }
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kPixelHeight);
  return font;
}

}  // namespace markwell
