// The one entry point of a formatting run.
#pragma once

#include "tform2.h"

namespace markwell {

// Creates the formatting window for a run's steps, shows it modally over
// `mainWindow` and destroys it when it has closed. An error of the run is
// raised here, after the window has gone.
void RunFormatting(QWidget& mainWindow, const FormattingSteps& steps);

}  // namespace markwell
