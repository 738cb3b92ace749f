// markwell: the editor.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "error_box.h"
#include "tform1.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  markwell::SetApplicationTitle();
  // Qt's own dialogs (open, save, font) in the desktop's language.
  QTranslator qtTranslation;
  if (qtTranslation.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTranslation);
  }
  markwell::TForm1 form;
  form.show();
  return QApplication::exec();
}
