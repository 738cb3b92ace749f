#include "definitions/definition_run.h"

#include "definitions/definition_tokenizer.h"
#include "run/formatting_run.h"
#include "run/token_styles.h"

namespace markwell {

void RunDefinitionSteps(Document& document, LoadedDefinition& definition,
                        const std::string& caption, std::span<const ElementLook> looks,
                        bool useColor, ProgressView& progress) {
  progress.SetBarMaximum(document.Length() / 10);
  progress.SetBarPosition(0);
  progress.SetLabelCaption("Pro " + caption + ".");
  const bool eachWrite = progress.ShowsEachWrite();
  const DefinitionMarks marks =
      TokenizeWithDefinition(document.Text(), definition, looks, [&](int done) {
        if (eachWrite && progress.BarPosition() != done / 10) progress.SetBarPosition(done / 10);
      });
  progress.SetBarPosition(document.Length() / 10);

  ResetDocument(document);
  for (const DefinitionMark& mark : marks) {
    document.SetSelStart(mark.start);
    document.SetSelLength(mark.length);
    ApplyTokenStyle(document, mark.style, useColor);
  }
  document.SetSelStart(document.Length());
}

}  // namespace markwell
