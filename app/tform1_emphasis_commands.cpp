// The emphasis commands: a formatting run for a language, or the reset of
// the default style, chosen by menu entry or by the style combo box.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QToolButton>

#include "error_box.h"
#include "languages/language_run.h"
#include "run/formatting_run.h"
#include "run_formatting.h"
#include "tform1.h"

namespace markwell {

namespace {

const QString kNoFilter = QStringLiteral("Není nainstalován filtr");

}  // namespace

void TForm1::mnuSpecTucClick() {
  StartRun(languages_.ForMode(kAssemblerMode));
}
void TForm1::mnuDelphiClick() {
  StartRun(languages_.ForMode(kPascalMode));
}
void TForm1::mnuMatlabClick() {
  StartRun(languages_.ForMode(kMatlabMode));
}

// No filter exists for HTML; the entry says so, as the emphasis button does
// for the same choice, rather than doing nothing.
void TForm1::MnuHTMLClick() {
  ShowPlainMessage(kNoFilter);
}

void TForm1::TBZmenaClick() {
  const int index = CBStyl->currentIndex();
  if (index < 0 || index >= static_cast<int>(languages_.Rows().size())) {
    ShowPlainMessage(kNoFilter);
    return;
  }
  CarryOut(languages_.Rows()[static_cast<std::size_t>(index)]);
}

void TForm1::CarryOut(const Language& language) {
  switch (language.runner) {
    case LanguageRunner::kReset:
      ApplyEdit(ResetDocument);
      return;
    case LanguageRunner::kFilter:
      StartRun(language);
      return;
    case LanguageRunner::kDefinition:
      // A definition removed since the program started is not installed.
      if (definitions_.Locate(language.definition).empty()) break;
      StartRun(language);
      return;
    case LanguageRunner::kNoFilter:
      break;
  }
  ShowPlainMessage(kNoFilter);
}

void TForm1::CBStylClick() {
  REdit->setFocus();
}

void TForm1::StartRun(const Language& language) {
  // Nothing can change the toggle while the formatting window is modal.
  const bool useColor = TBPouzitBarvu->isChecked();
  RunFormatting(*this, [this, &language, useColor](ProgressView& progress) {
    ApplyEdit([&](Document& document) {
      RunLanguage(document, language, RunSettings{keywordLists_, definitions_, useColor}, progress);
    });
  });
}

void TForm1::ApplyEdit(const std::function<void(Document&)>& change) {
  const DocumentBridge::EditOutcome outcome = bridge_.Edit(change);
  RememberSelection();
  // The controls followed every selection change of the edit; the last one counts.
  if (outcome.selectionChanged) ShowSelectionFormat(outcome.selectionFormat);
  if (outcome.error) std::rethrow_exception(outcome.error);
}

}  // namespace markwell
