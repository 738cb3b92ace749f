// The interface is Czech whatever the locale, Qt's own dialogs included:
// their buttons and labels come from Qt's Czech translation.
#pragma once

#include <QTranslator>

namespace markwell {

// Loads Qt's Czech translation into `translator` and installs it in the
// application; false, with nothing installed, where it is not installed on
// the system (the dialogs then speak English).
bool InstallQtCzechTranslation(QTranslator& translator);

}  // namespace markwell
