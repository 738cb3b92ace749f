// New, open, save, exit, select all and About.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>

#include "error_box.h"
#include "files/document_file.h"
#include "tform1.h"

namespace markwell {

namespace {

std::string FileSystemName(const QString& fileName) {
  return QFile::encodeName(QDir::toNativeSeparators(fileName)).toStdString();
}

}  // namespace

void TForm1::mnuNovyClick() {
  bridge_.Clear();
  // The controls keep what they show until the user next moves the selection.
  RememberSelection();
}

void TForm1::mnuNacistClick() {
  if (OD->exec() != QDialog::Accepted) return;
  OpenFile(OD->selectedFiles().value(0));
}

void TForm1::OpenFile(const QString& fileName) {
  const std::string name = FileSystemName(fileName);
  bridge_.Load(name);
  SelectionMaybeChanged();
  // Only a file that has been read selects a style: the one whose language
  // claims its extension for Open (.dpr and .pas the Pascal style's).
  if (const Language* language = languages_.ForOpenedExtension(FileExtension(name))) {
    CBStyl->setCurrentIndex(languages_.IndexOf(*language));
  }
}

void TForm1::OpenFileReportingErrors(const QString& fileName) {
  Guarded([this, &fileName] { OpenFile(fileName); })();
}

void TForm1::mnuUlozRTFClick() {
  if (SD->exec() != QDialog::Accepted) return;
  SaveFile(SD->selectedFiles().value(0));
}

void TForm1::SaveFile(const QString& fileName) {
  bridge_.Save(FileSystemName(fileName));
}

void TForm1::mnuKonecClick() {
  close();
}

void TForm1::Vybratve1Click() {
  REdit->selectAll();
}

void TForm1::About1Click() {
  ProgramInfo1.ShowAbout();
}

}  // namespace markwell
