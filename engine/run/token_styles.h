// The named looks of tokens: "DKey", "DText", "DKoment" for Pascal and
// "MKey", "MText", "MKoment" for MATLAB.
#pragma once

#include <string_view>

#include "document/document.h"

namespace markwell {

// Gives the selection the look of the named token style (its style set, and
// its colour when useColour is true), then collapses the selection to its
// end. A name that is none of the six writes nothing but still collapses.
void ApplyTokenStyle(Document& document, std::string_view name, bool useColour);

}  // namespace markwell
