// File dialog filters written as "caption|pattern;pattern;..." for Qt.
#pragma once

#include <QString>

namespace markwell {

// "Vše potřebné|*.txt;*.pas;" -> "Vše potřebné (*.[tT][xX][tT] *.[pP][aA][sS])": the
// patterns match letters of either case, as file names are matched where the
// filter comes from; empty patterns are dropped.
QString QtNameFilter(const QString& filter);

}  // namespace markwell
