// The emphasis commands: a formatting run for a language, or the reset of
// the default style, chosen by menu entry or by the style combo box.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QToolButton>

#include "error_box.h"
#include "run/formatting_run.h"
#include "run_formatting.h"
#include "style_box.h"
#include "tform1.h"

namespace markwell {

namespace {

const QString kNoFilter = QStringLiteral("Není nainstalován filtr");

}  // namespace

void TForm1::mnuSpecTucClick() {
  StartRun(kAssemblerMode);
}
void TForm1::mnuDelphiClick() {
  StartRun(kPascalMode);
}
void TForm1::mnuMatlabClick() {
  StartRun(kMatlabMode);
}

// No filter exists for HTML; the entry says so, as the emphasis button does
// for the same choice, rather than doing nothing.
void TForm1::MnuHTMLClick() {
  ShowPlainMessage(kNoFilter);
}

void TForm1::TBZmenaClick() {
  switch (CBStyl->currentIndex()) {
    case kDefaultStyle:
      ApplyEdit(ResetDocument);
      break;
    case kAssemblerStyle:
      mnuSpecTucClick();
      break;
    case kPascalStyle:
      mnuDelphiClick();
      break;
    case kMatlabStyle:
      mnuMatlabClick();
      break;
    default:
      ShowPlainMessage(kNoFilter);
      break;
  }
}

void TForm1::CBStylClick() {
  REdit->setFocus();
}

void TForm1::StartRun(int mode) {
  // Nothing can change the toggle while the formatting window is modal.
  const bool useColour = TBPouzitBarvu->isChecked();
  RunFormatting(*this, mode, [this, useColour](int runMode, ProgressView& progress) {
    ApplyEdit([&](Document& document) {
      RunFormattingSteps(document, runMode, keywordLists_, useColour, progress);
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
