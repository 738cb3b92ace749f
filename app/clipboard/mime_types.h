// The names under which the clipboard carries RTF.
#pragma once

#include <QStringList>

namespace markwell {

// The preferred first; the last is the name Qt gives the Windows clipboard's RTF.
const QStringList& RtfMimeTypes();

}  // namespace markwell
