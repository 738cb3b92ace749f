// markwell: the editor.
#include <QApplication>

#include "error_box.h"
#include "tform1.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  markwell::SetApplicationTitle();
  markwell::TForm1 form;
  form.show();
  return QApplication::exec();
}
