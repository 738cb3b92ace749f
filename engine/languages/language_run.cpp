#include "languages/language_run.h"

#include "definitions/definition_run.h"
#include "run/formatting_run.h"

namespace markwell {

void RunLanguage(Document& document, const Language& language, const RunSettings& settings,
                 ProgressView& progress) {
  if (language.runner == LanguageRunner::kDefinition) {
    LoadedDefinition& definition = settings.definitions.Load(language.definition);
    RunDefinitionSteps(document, definition, language.caption, language.looks, settings.useColor,
                       progress);
    return;
  }
  const int mode = language.runner == LanguageRunner::kFilter ? language.mode : 0;
  RunFormattingSteps(document, mode, settings.keywords, settings.useColor, progress);
}

}  // namespace markwell
