// A formatting run for a row of the language table: the filter of its
// emphasis mode, or its language definition.
#pragma once

#include "definitions/definition_library.h"
#include "document/document.h"
#include "keywords/keyword_list.h"
#include "languages/language.h"
#include "run/progress_view.h"

namespace markwell {

struct RunSettings {
  const KeywordLists& keywords;
  DefinitionLibrary& definitions;
  bool useColor = false;  // the use-colour toggle
};

// The run of `language`. A definition is loaded first (EngineError when it
// is missing or broken, before anything changes); a row without a filter
// runs the reset alone.
void RunLanguage(Document& document, const Language& language, const RunSettings& settings,
                 ProgressView& progress);

}  // namespace markwell
