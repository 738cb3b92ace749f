// The main window's menu and dialogs.
#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>

#include "access_keys.h"
#include "dialog_filter.h"
#include "font_color_dialog.h"
#include "menu_bar_style.h"
#include "pictures.h"
#include "tform1.h"

namespace markwell {

QAction* TForm1::AddMenuEntry(QMenu* menu, const QString& caption, int picture) {
  QAction* entry = menu->addAction(caption);
  if (picture >= 0) entry->setIcon(ImageList1.at(static_cast<std::size_t>(picture)));
  entry->setIconVisibleInMenu(true);
  return entry;
}

void TForm1::BuildMenu() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  // Menus are drawn in the desktop's menu font, the bar as its menus.
  MainMenu1->setFont(QApplication::font(MainMenu1));
  auto* style = new MenuBarStyle();
  style->setParent(MainMenu1);
  MainMenu1->setStyle(style);

  Soubor1 = MainMenu1->addMenu(QStringLiteral("Soubor"));
  mnuNovy = AddMenuEntry(Soubor1, QStringLiteral("Nový"), kNewPicture);
  mnuNacist = AddMenuEntry(Soubor1, QStringLiteral("Načíst"), kOpenPicture);
  N1 = Soubor1->addSeparator();
  mnuUlozRTF = AddMenuEntry(Soubor1, QStringLiteral("Uložit jako RTF"), kSavePicture);
  N2 = Soubor1->addSeparator();
  mnuKonec = AddMenuEntry(Soubor1, QStringLiteral("Konec"));

  pravy1 = MainMenu1->addMenu(QStringLiteral("Úpravy"));
  // The emphasis entries: each row of the language table that has one, in
  // the table's order; the first shows the emphasis picture.
  std::vector<QAction*> emphasisEntries;
  for (const Language& language : languages_.Rows()) {
    if (language.menuCaption.empty()) continue;
    emphasisEntries.push_back(AddMenuEntry(pravy1, QString::fromStdString(language.menuCaption),
                                           emphasisEntries.empty() ? kEmphasisPicture : -1));
  }
  mnuSpecTuc = emphasisEntries.at(0);
  mnuDelphi = emphasisEntries.at(1);
  MnuHTML = emphasisEntries.at(2);
  mnuMatlab = emphasisEntries.at(3);
  N4 = pravy1->addSeparator();
  MnuBez = AddMenuEntry(pravy1, QStringLiteral("Nastavit vychozí písmo"));
  N3 = pravy1->addSeparator();
  mnuPaste = AddMenuEntry(pravy1, QStringLiteral("Vložit ze schránky"), kPastePicture);
  mnuCut = AddMenuEntry(pravy1, QStringLiteral("Vyjmout do schránky"));
  mnuVlozitdoschr = AddMenuEntry(pravy1, QStringLiteral("Vložit do schránky"), kCopyPicture);
  Vybratve1 = AddMenuEntry(pravy1, QStringLiteral("Vybrat vše"));

  // The entry on the menu bar itself runs the command; it opens no menu.
  About1 = MainMenu1->addAction(QStringLiteral("About"));
  About1->setIcon(ImageList1.at(kAboutPicture));

  AssignAccessKeys(*MainMenu1);
}

void TForm1::BuildDialogs() {
  OD = new QFileDialog(this);
  OD->setAcceptMode(QFileDialog::AcceptOpen);
  OD->setFileMode(QFileDialog::ExistingFile);
  // The classic filter first, then every extension of the language table.
  QStringList sourcePatterns;
  for (const std::string& extension : languages_.AllExtensions()) {
    sourcePatterns << QStringLiteral("*.") + QString::fromStdString(extension);
  }
  OD->setNameFilters(
      {QtNameFilter(QStringLiteral("Vše potřebné|*.txt;*.950;*.nfo;*.diz;*.dpr;*.pas;*.m;")),
       QtNameFilter(QStringLiteral("Zdrojové soubory|") + sourcePatterns.join(QLatin1Char(';'))),
       QtNameFilter(QStringLiteral("Všechny soubory|*"))});
  OD->setOption(QFileDialog::HideNameFilterDetails);

  SD = new QFileDialog(this);
  SD->setAcceptMode(QFileDialog::AcceptSave);
  SD->setFileMode(QFileDialog::AnyFile);
  SD->setNameFilter(QtNameFilter(QStringLiteral("RTF|*.rtf")));
  SD->setOption(QFileDialog::HideNameFilterDetails);
  // The name is used as typed, and an existing file is replaced without a question.
  SD->setDefaultSuffix(QString());
  SD->setOption(QFileDialog::DontConfirmOverwrite);

  // A name typed and confirmed with Enter closes the dialog but not the
  // list of completions that typing opened.
  for (QFileDialog* dialog : {OD, SD}) {
    connect(dialog, &QDialog::finished, dialog, [dialog] {
      for (QCompleter* completer : dialog->findChildren<QCompleter*>()) {
        if (completer->popup() != nullptr) completer->popup()->hide();
      }
    });
  }

  FD = new FontColorDialog(this);
}

}  // namespace markwell
