// The editor's pictures, kept as resources: the image list of the toolbar
// and the menu, and the window icon.
#pragma once

#include <QIcon>
#include <vector>

namespace markwell {

// Indices into the image list.
enum Picture : int {
  kNewPicture = 0,
  kOpenPicture = 1,
  kSavePicture = 2,
  kCutPicture = 3,
  kCopyPicture = 4,
  kPastePicture = 5,
  kEmphasisPicture = 6,
  kAboutPicture = 7,
  kBoldPicture = 8,
  kItalicPicture = 9,
  kUseColorPicture = 10,
  kPictureCount = 11
};

// The 11 pictures of 16 x 16 pixels, by index.
std::vector<QIcon> LoadImageList();
QIcon WindowIcon();

}  // namespace markwell
