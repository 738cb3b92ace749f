// The main window: the document in REdit under a toolbar, and the main menu.
//
// The controls keep the Czech names of the program's interface. A glossary:
//   REdit            the rich text editor that holds the document
//   ToolBar1, MainMenu1, ImageList1   toolbar, main menu, the pictures
//   OD, SD, FD       open dialog, save dialog, font dialog
//   Soubor1          the "Soubor" (File) menu
//     mnuNovy        New ("Nový"), also ToolButton1 ("Vyčistit papír": clear the page)
//     mnuNacist      Open ("Načíst": load), also ToolButton2
//     mnuUlozRTF     Save as RTF ("Uložit jako RTF"), also ToolButton3
//     mnuKonec       Exit ("Konec": end)
//   pravy1           the "Úpravy" (Edit) menu
//     mnuSpecTuc     "Upravit na assembler": emphasise as assembler
//     mnuDelphi      "Upravit na delphi kód": emphasise as Pascal
//     MnuHTML        "Upravit na HTML": no filter
//     mnuMatlab      "Upravit na Matlab": emphasise as MATLAB
//     MnuBez         "Nastavit vychozí písmo": set the base font
//     mnuPaste       Paste ("Vložit ze schránky": insert from the clipboard), ToolButton7
//     mnuCut         Cut ("Vyjmout do schránky"), also ToolButton6
//     mnuVlozitdoschr  Copy ("Vložit do schránky": put into the clipboard), ToolButton5
//     Vybratve1      Select all ("Vybrat vše")
//   About1, TBHelp   About
//   N1 ... N4        menu separators; ToolButton4, 8, 10 to 13 toolbar separators
//   CBStyl           style box: the language of the emphasis run (the language table)
//   TBPouzitBarvu    "Použít i barvu": use colour too (Pascal runs)
//   TBZmena          "Vytučnění kódu": the emphasis button (run or reset)
//   TBTucnost        bold ("Tučné písmo"); TBItalic italic ("Kurziva")
//   CBFont           font name ("Styl písma"); CBVelText font size ("Velikost písma")
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "definitions/definition_library.h"
#include "document/char_format.h"
#include "document/document.h"
#include "document_bridge.h"
#include "keywords/keyword_list.h"
#include "languages/language_table.h"
#include "program_info.h"
#include "rich_edit.h"

class QAction;
class QComboBox;
class QFileDialog;
class QFrame;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QMimeData;
class QStyle;
class QPlainTextEdit;
class QToolBar;
class QToolButton;

namespace markwell {

class FontColorDialog;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // The keyword files are read from `keywordDirectory` (ending in "/"), the
  // language definitions from languages/ in `programDirectory` first.
  explicit TForm1(const QString& keywordDirectory = DefaultKeywordDirectory(),
                  const QString& programDirectory = DefaultKeywordDirectory());
  ~TForm1() override;

  // The directory of the running program.
  static QString DefaultKeywordDirectory();

  RichEdit* REdit = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QMenuBar* MainMenu1 = nullptr;
  QFileDialog* OD = nullptr;
  QFileDialog* SD = nullptr;
  FontColorDialog* FD = nullptr;
  std::vector<QIcon> ImageList1;

  // Toolbar, left to right; the QFrames are its separators.
  QToolButton* ToolButton1 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QToolButton* ToolButton3 = nullptr;
  QFrame* ToolButton4 = nullptr;
  QToolButton* ToolButton5 = nullptr;
  QToolButton* ToolButton6 = nullptr;
  QToolButton* ToolButton7 = nullptr;
  QFrame* ToolButton8 = nullptr;
  QComboBox* CBStyl = nullptr;
  QToolButton* TBPouzitBarvu = nullptr;
  QToolButton* TBZmena = nullptr;
  QFrame* ToolButton12 = nullptr;
  QToolButton* TBTucnost = nullptr;
  QToolButton* TBItalic = nullptr;
  QFrame* ToolButton10 = nullptr;
  QComboBox* CBFont = nullptr;
  QFrame* ToolButton11 = nullptr;
  QComboBox* CBVelText = nullptr;
  QFrame* ToolButton13 = nullptr;
  QToolButton* TBHelp = nullptr;

  // Main menu.
  QMenu* Soubor1 = nullptr;
  QAction* mnuNovy = nullptr;
  QAction* mnuNacist = nullptr;
  QAction* N1 = nullptr;
  QAction* mnuUlozRTF = nullptr;
  QAction* N2 = nullptr;
  QAction* mnuKonec = nullptr;
  QMenu* pravy1 = nullptr;
  QAction* mnuSpecTuc = nullptr;
  QAction* mnuDelphi = nullptr;
  QAction* MnuHTML = nullptr;
  QAction* mnuMatlab = nullptr;
  QAction* N4 = nullptr;
  QAction* MnuBez = nullptr;
  QAction* N3 = nullptr;
  QAction* mnuPaste = nullptr;
  QAction* mnuCut = nullptr;
  QAction* mnuVlozitdoschr = nullptr;
  QAction* Vybratve1 = nullptr;
  QAction* About1 = nullptr;

  ProgramInfo ProgramInfo1;

  DocumentBridge& Bridge() { return bridge_; }
  const KeywordLists& Keywords() const { return keywordLists_; }
  // The rows of the style box, the emphasis entries of the menu and Open's
  // preselection.
  const LanguageTable& Languages() const { return languages_; }
  DefinitionLibrary& Definitions() { return definitions_; }

  // Handlers. Their errors reach the error box through the connections.
  void FormCreate(const QString& keywordDirectory);
  void mnuNovyClick();
  void mnuNacistClick();
  void mnuUlozRTFClick();
  void mnuKonecClick();
  void mnuVlozitdoschrClick();
  void mnuCutClick();
  void mnuPasteClick();
  void Vybratve1Click();
  void About1Click();

  void REditSelectionChange();
  void TBTucnostClick();
  void TBItalicClick();
  void CBFontClick();
  void CBVelTextClick();
  // True when the key is refused (or taken care of here).
  bool CBVelTextKeyPress(QKeyEvent& event);
  void MnuBezClick();
  // Keys of the editing surface: Ctrl+B, Ctrl+I and Ctrl+U switch bold,
  // italic and underline of the selection.
  void REditStyleKey(RichEdit::StyleKey key);
  void REditUndoneOrRedone();

  void mnuSpecTucClick();
  void mnuDelphiClick();
  void MnuHTMLClick();
  void mnuMatlabClick();
  void TBZmenaClick();
  void CBStylClick();

  // Open and save without the dialogs.
  void OpenFile(const QString& fileName);
  // Opens as the Open command does, an error going to the error box: for a
  // file named on the command line or dropped on the editor.
  void OpenFileReportingErrors(const QString& fileName);
  void SaveFile(const QString& fileName);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildEditor();
  void BuildToolBar();
  void BuildMenu();
  void BuildDialogs();
  void ConnectHandlers();
  void PlaceOnScreen();
  // Gives the window its outer size once the window manager has framed it.
  void FitOuterSizeToFrame();

  QToolButton* AddToolButton(const QString& hint, int picture, bool toggle);
  QFrame* AddToolSeparator();
  QAction* AddMenuEntry(QMenu* menu, const QString& caption, int picture = -1);

  // Runs a handler for each user action of `sender`'s `signal`.
  template <typename Sender, typename Signal>
  void OnUser(Sender* sender, Signal signal, void (TForm1::*handler)());

  // The formatting controls show `format` (the three updates of a selection change).
  void ShowSelectionFormat(const CharFormat& format);
  // Runs REditSelectionChange when the selection differs from the last one seen.
  void SelectionMaybeChanged();
  void RememberSelection();

  // An engine edit of the whole document; the controls then show what the
  // edit's last selection change found.
  void ApplyEdit(const std::function<void(Document&)>& change);
  void StartRun(const Language& language);
  // The emphasis button's action for the style box's row.
  void CarryOut(const Language& language);

  void CopySelection();
  std::unique_ptr<QMimeData> SelectionMimeData();
  void Paste(const QMimeData& data);

  // Before the toolbar and the menu, which show its rows.
  DefinitionLibrary definitions_;
  DefinitionSearch installedDefinitions_;
  LanguageTable languages_;
  DocumentBridge bridge_;
  KeywordLists keywordLists_;
  std::pair<int, int> lastSelection_{0, 0};  // anchor, position
  // The toolbar combo boxes' style; they give it up before it goes.
  std::unique_ptr<QStyle> comboStyle_;
  bool placed_ = false;
  bool awaitingFrame_ = false;
  QRect desktop_;
};

// The size of the window without its frame that gives it the outer size
// `outer`; nothing while the frame is not known.
std::optional<QSize> ClientSizeForOuterSize(QSize outer, QSize frame);

}  // namespace markwell
