// markwell: the editor.
#include <QApplication>

#include "tform1.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The program's title: its name and the caption of its message boxes. Not
  // the display name, which some desktops would append to the window caption.
  QApplication::setApplicationName(QStringLiteral("RX-Markwell"));
  markwell::TForm1 form;
  form.show();
  return QApplication::exec();
}
