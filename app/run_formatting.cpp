#include "run_formatting.h"

namespace markwell {

void RunFormatting(QWidget& mainWindow, const FormattingSteps& steps) {
  TForm2 form(mainWindow, steps);
  form.exec();
  if (form.Error()) std::rethrow_exception(form.Error());
}

}  // namespace markwell
