// The formatting run of a language definition: a run like the filters',
// with the language library finding the tokens.
#pragma once

#include <string>

#include "definitions/definition_library.h"
#include "definitions/element_look.h"
#include "document/document.h"
#include "run/progress_view.h"

#include <span>

namespace markwell {

// The bar's maximum (length div 10) and position 0, the label "Pro
// CAPTION.", the tokenizing (the bar follows it), the document reset, each
// token's style (with its colour when `useColor` is true), and an
// insertion point at the end of the text. The text is tokenized before the
// reset, so that a definition that fails on the text changes nothing.
void RunDefinitionSteps(Document& document, LoadedDefinition& definition,
                        const std::string& caption, std::span<const ElementLook> looks,
                        bool useColor, ProgressView& progress);

}  // namespace markwell
