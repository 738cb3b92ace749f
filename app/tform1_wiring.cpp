// Which handler runs for which user action. Only user-only signals are
// used (clicked, triggered, activated), so code that sets a control runs
// none of them.
#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>

#include "error_box.h"
#include "tform1.h"

namespace markwell {

template <typename Sender, typename Signal>
void TForm1::OnUser(Sender* sender, Signal signal, void (TForm1::*handler)()) {
  connect(sender, signal, this, Guarded([this, handler] { (this->*handler)(); }));
}

void TForm1::ConnectHandlers() {
  OnUser(ToolButton1, &QToolButton::clicked, &TForm1::mnuNovyClick);
  OnUser(ToolButton2, &QToolButton::clicked, &TForm1::mnuNacistClick);
  OnUser(ToolButton3, &QToolButton::clicked, &TForm1::mnuUlozRTFClick);
  OnUser(ToolButton5, &QToolButton::clicked, &TForm1::mnuVlozitdoschrClick);
  OnUser(ToolButton6, &QToolButton::clicked, &TForm1::mnuCutClick);
  OnUser(ToolButton7, &QToolButton::clicked, &TForm1::mnuPasteClick);
  OnUser(CBStyl, &QComboBox::activated, &TForm1::CBStylClick);
  OnUser(TBZmena, &QToolButton::clicked, &TForm1::TBZmenaClick);
  OnUser(TBTucnost, &QToolButton::clicked, &TForm1::TBTucnostClick);
  OnUser(TBItalic, &QToolButton::clicked, &TForm1::TBItalicClick);
  OnUser(CBFont, &QComboBox::activated, &TForm1::CBFontClick);
  OnUser(CBVelText, &QComboBox::activated, &TForm1::CBVelTextClick);
  OnUser(TBHelp, &QToolButton::clicked, &TForm1::About1Click);

  OnUser(mnuNovy, &QAction::triggered, &TForm1::mnuNovyClick);
  OnUser(mnuNacist, &QAction::triggered, &TForm1::mnuNacistClick);
  OnUser(mnuUlozRTF, &QAction::triggered, &TForm1::mnuUlozRTFClick);
  OnUser(mnuKonec, &QAction::triggered, &TForm1::mnuKonecClick);
  OnUser(mnuSpecTuc, &QAction::triggered, &TForm1::mnuSpecTucClick);
  OnUser(mnuDelphi, &QAction::triggered, &TForm1::mnuDelphiClick);
  OnUser(MnuHTML, &QAction::triggered, &TForm1::MnuHTMLClick);
  OnUser(mnuMatlab, &QAction::triggered, &TForm1::mnuMatlabClick);
  OnUser(MnuBez, &QAction::triggered, &TForm1::MnuBezClick);
  OnUser(mnuPaste, &QAction::triggered, &TForm1::mnuPasteClick);
  OnUser(mnuCut, &QAction::triggered, &TForm1::mnuCutClick);
  OnUser(mnuVlozitdoschr, &QAction::triggered, &TForm1::mnuVlozitdoschrClick);
  OnUser(Vybratve1, &QAction::triggered, &TForm1::Vybratve1Click);
  OnUser(About1, &QAction::triggered, &TForm1::About1Click);

  OnUser(REdit, &QPlainTextEdit::cursorPositionChanged, &TForm1::SelectionMaybeChanged);
  OnUser(REdit, &QPlainTextEdit::selectionChanged, &TForm1::SelectionMaybeChanged);
  OnUser(REdit, &RichEdit::UndoneOrRedone, &TForm1::REditUndoneOrRedone);
  connect(REdit, &RichEdit::StyleKeyPressed, this,
          [this](RichEdit::StyleKey key) { Guarded([this, key] { REditStyleKey(key); })(); });
}

void TForm1::SelectionMaybeChanged() {
  const std::pair<int, int> selection{REdit->textCursor().anchor(), REdit->textCursor().position()};
  if (selection == lastSelection_) return;
  lastSelection_ = selection;
  REditSelectionChange();
}

void TForm1::RememberSelection() {
  lastSelection_ = {REdit->textCursor().anchor(), REdit->textCursor().position()};
}

}  // namespace markwell
