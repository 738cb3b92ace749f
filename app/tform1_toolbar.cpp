// The main window's toolbar.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

#include "pictures.h"
#include "tform1.h"
#include "toolbar_controls.h"

namespace markwell {

namespace {

constexpr QSize kButtonSize(23, 22);
constexpr QSize kPictureSize(16, 16);
constexpr int kToolBarHeight = 26;
constexpr int kSeparatorWidth = 8;

const char* const kFontSizes[] = {"8",  "9",  "10", "11", "12", "13", "14", "16", "18", "20",
                                  "22", "24", "28", "32", "36", "40", "42", "58", "72"};

}  // namespace

QToolButton* TForm1::AddToolButton(const QString& hint, int picture, bool toggle) {
  QToolButton* button = toggle ? new ToolBarToggle(ToolBar1) : new QToolButton(ToolBar1);
  button->setToolTip(hint);
  // What a screen reader says for a button that shows only a picture.
  button->setAccessibleName(hint);
  button->setIcon(ImageList1.at(static_cast<std::size_t>(picture)));
  button->setIconSize(kPictureSize);
  button->setFixedSize(kButtonSize);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  ToolBar1->addWidget(button);
  return button;
}

QFrame* TForm1::AddToolSeparator() {
  auto* separator = new ToolBarSeparator(kSeparatorWidth, kButtonSize.height(), ToolBar1);
  ToolBar1->addWidget(separator);
  return separator;
}

void TForm1::BuildToolBar() {
  InstallToolBarAccessibility();
  comboStyle_ = MakeCompactComboStyle();
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->toggleViewAction()->setEnabled(false);
  ToolBar1->setIconSize(kPictureSize);
  ToolBar1->setFixedHeight(kToolBarHeight);
  // Buttons stand side by side, as the fixed widths assume. (With a style
  // sheet the controls no longer inherit the window font: they get it below.)
  ToolBar1->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px 2px; }"));
  addToolBar(Qt::TopToolBarArea, ToolBar1);

  ToolButton1 = AddToolButton(QStringLiteral("Vyčistit papír"), kNewPicture, false);
  ToolButton2 = AddToolButton(QStringLiteral("Načíst soubor"), kOpenPicture, false);
  ToolButton3 = AddToolButton(QStringLiteral("Uložit do"), kSavePicture, false);
  ToolButton4 = AddToolSeparator();
  ToolButton5 = AddToolButton(QStringLiteral("Kopírovat do schránky"), kCopyPicture, false);
  ToolButton6 = AddToolButton(QStringLiteral("Přesunout do schránky"), kCutPicture, false);
  ToolButton7 = AddToolButton(QStringLiteral("Vložit ze schránky"), kPastePicture, false);
  ToolButton8 = AddToolSeparator();

  CBStyl = new ToolBarComboBox(ToolBar1);
  for (const Language& language : languages_.Rows()) {
    CBStyl->addItem(QString::fromStdString(language.caption));
  }
  CBStyl->setAccessibleName(QStringLiteral("Styl vytučnění kódu"));
  CBStyl->setFixedWidth(71);
  CBStyl->setFont(font());
  // The box is narrow; its open list shows whole captions.
  CBStyl->view()->setMinimumWidth(CBStyl->view()->sizeHintForColumn(0) +
                                  CBStyl->view()->verticalScrollBar()->sizeHint().width() + 8);
  ToolBar1->addWidget(CBStyl);
  TBPouzitBarvu = AddToolButton(QStringLiteral("Použít i barvu"), kUseColorPicture, true);
  TBZmena = AddToolButton(QStringLiteral("Vytučnění kódu"), kEmphasisPicture, false);
  ToolButton12 = AddToolSeparator();
  TBTucnost = AddToolButton(QStringLiteral("Tučné písmo"), kBoldPicture, true);
  TBItalic = AddToolButton(QStringLiteral("Kurziva"), kItalicPicture, true);
  ToolButton10 = AddToolSeparator();

  CBFont = new ToolBarComboBox(ToolBar1);
  CBFont->setToolTip(QStringLiteral("Styl písma (font)"));
  CBFont->setAccessibleName(CBFont->toolTip());
  CBFont->setFixedWidth(122);
  CBFont->setFont(font());
  ToolBar1->addWidget(CBFont);
  ToolButton11 = AddToolSeparator();

  CBVelText = new ToolBarComboBox(ToolBar1);
  CBVelText->setToolTip(QStringLiteral("Velikost písma"));
  CBVelText->setAccessibleName(CBVelText->toolTip());
  CBVelText->setEditable(true);
  // Enter applies the size; it never adds an entry, and typing completes nothing.
  CBVelText->setInsertPolicy(QComboBox::NoInsert);
  CBVelText->setCompleter(nullptr);
  for (const char* size : kFontSizes) CBVelText->addItem(QLatin1String(size));
  CBVelText->setCurrentIndex(-1);
  CBVelText->setEditText(QString());
  CBVelText->setFixedWidth(57);
  CBVelText->setFont(font());
  CBVelText->installEventFilter(this);
  CBVelText->lineEdit()->installEventFilter(this);
  CBVelText->lineEdit()->setAccessibleName(CBVelText->toolTip());
  ToolBar1->addWidget(CBVelText);
  ToolButton13 = AddToolSeparator();

  TBHelp = AddToolButton(QString(), kAboutPicture, false);
  TBHelp->setAccessibleName(QStringLiteral("About"));
  // The button the toolbar shows for what a narrow window leaves out.
  if (auto* more = ToolBar1->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
    more->setAccessibleName(QStringLiteral("Další tlačítka"));
  }

  for (QComboBox* box : {CBStyl, CBFont, CBVelText}) {
    box->setStyle(comboStyle_.get());
    WheelPicksOnlyWhenFocused(*box);
  }

  setTabOrder(REdit, CBFont);
  setTabOrder(CBFont, CBVelText);
  setTabOrder(CBVelText, CBStyl);
}

}  // namespace markwell
