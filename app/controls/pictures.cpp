#include "pictures.h"

#include <QString>

// The resources live in a static library: make sure they are linked in.
static void InitialisePictures() {
  Q_INIT_RESOURCE(markwell_pictures);
}

namespace markwell {

std::vector<QIcon> LoadImageList() {
  InitialisePictures();
  static const char* const kFiles[kPictureCount] = {"new",  "open",   "save",      "cut",
                                                    "copy", "paste",  "emphasis",  "about",
                                                    "bold", "italic", "use_colour"};
  std::vector<QIcon> pictures;
  pictures.reserve(kPictureCount);
  for (const char* file : kFiles) {
    pictures.emplace_back(QStringLiteral(":/markwell/pictures/%1.png").arg(QLatin1String(file)));
  }
  return pictures;
}

QIcon WindowIcon() {
  InitialisePictures();
  QIcon icon;
  for (const int size : {16, 32, 48}) {
    icon.addFile(QStringLiteral(":/markwell/pictures/markwell_%1.png").arg(size),
                 QSize(size, size));
  }
  return icon;
}

}  // namespace markwell
