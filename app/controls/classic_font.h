// The classic window face of the program's windows: the main window, its
// toolbar's combo boxes, the formatting window and the About dialog.
#pragma once

#include <QFont>

namespace markwell {

// "MS Sans Serif", 11 pixels high (8 points at 96 dpi). Where it is missing,
// the first installed family of the same metrics takes its place.
QFont ClassicFont();

}  // namespace markwell
