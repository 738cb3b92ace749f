#include "about_form.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <memory>

#include "classic_font.h"

// Resources of a static library have to be registered by name, outside any namespace.
static void InitAboutResources() {
  static bool done = false;
  if (done) return;
  Q_INIT_RESOURCE(about);
  done = true;
}

namespace markwell {

namespace {

constexpr int kClientWidth = 299;
constexpr int kClientHeight = 185;

const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kNavy(0x00, 0x00, 0x80);

// Families tried in order; the later ones have similar widths and are found on
// machines without the first.
const QStringList kComicFamilies{"Comic Sans MS", "Comic Neue", "DejaVu Sans"};
const QStringList kArialFamilies{"Arial", "Liberation Sans", "Helvetica"};

// Heights are character heights in pixels, matching the fixed pixel layout.
QFont MakeFont(const QStringList& families, int pixelHeight, bool bold, bool italic) {
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

// A label is a plain-text, transparent box; with a size it clips what does not fit.
QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(false);
  label->move(left, top);
  return label;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, int width, int height) {
  QLabel* label = MakeLabel(parent, name, left, top);
  label->setFixedSize(width, height);
  return label;
}

// A caption label without a size grows to its text, once.
QLabel* MakeCaption(QWidget* parent, const char* name, int left, int top, const QString& text) {
  QLabel* label = MakeLabel(parent, name, left, top);
  label->setText(text);
  label->adjustSize();
  return label;
}

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

// A lowered 2-pixel line: shadow, then highlight.
QFrame* MakeBevel(QWidget* parent, const char* name, QFrame::Shape shape, const QRect& geometry) {
  auto* bevel = new QFrame(parent);
  bevel->setObjectName(QLatin1String(name));
  bevel->setFrameShape(shape);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setLineWidth(1);
  bevel->setMidLineWidth(0);
  bevel->setGeometry(geometry);
  return bevel;
}

QLabel* MakeImage(QWidget* parent, const char* name, const QRect& geometry) {
  auto* image = new QLabel(parent);
  image->setObjectName(QLatin1String(name));
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setGeometry(geometry);
  image->setFixedSize(geometry.size());
  return image;
}

}  // namespace

TForm10::TForm10(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  InitAboutResources();
  setObjectName(QStringLiteral("Form10"));
  setFixedSize(kClientWidth, kClientHeight);
  setSizeGripEnabled(false);
  setFont(ClassicFont());

  // Silver face with the classic white highlight and grey shadow, whatever the desktop theme;
  // the text colour stays the system's.
  QPalette face = palette();
  const QColor windowText = QGuiApplication::palette().color(QPalette::Text);
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base}) {
    face.setColor(role, kSilver);
  }
  face.setColor(QPalette::Light, Qt::white);
  face.setColor(QPalette::Midlight, QColor(0xDF, 0xDF, 0xDF));
  face.setColor(QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
  face.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
  face.setColor(QPalette::Shadow, QColor(0x40, 0x40, 0x40));
  face.setColor(QPalette::WindowText, windowText);
  face.setColor(QPalette::Text, windowText);
  face.setColor(QPalette::ButtonText, windowText);
  setPalette(face);
  setAutoFillBackground(true);

  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setLineWidth(1);
  Panel1->setAutoFillBackground(true);
  Panel1->setGeometry(8, 8, 281, 145);

  Image1 = MakeImage(Panel1, "Image1", QRect(8, 16, 69, 108));
  Image1->setPixmap(QPixmap(QStringLiteral(":/about/image1.png")));
  Image2 = MakeImage(Panel1, "Image2", QRect(240, 40, 32, 32));

  const QFont titleFont = MakeFont(kComicFamilies, 16, true, false);
  Label2 = MakeLabel(Panel1, "Label2", 88, 8, 185, 23);
  Label2->setFont(titleFont);
  Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label3 = MakeLabel(Panel1, "Label3", 86, 7, 185, 23);  // created later, so drawn on top
  Label3->setFont(titleFont);
  Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  SetTextColor(Label3, Qt::red);

  Bevel1 = MakeBevel(Panel1, "Bevel1", QFrame::VLine, QRect(80, 8, 2, 129));
  Bevel2 = MakeBevel(Panel1, "Bevel2", QFrame::HLine, QRect(88, 32, 185, 2));

  Label8 = MakeCaption(Panel1, "Label8", 88, 40, QStringLiteral("Verze:"));
  Label9 = MakeLabel(Panel1, "Label9", 128, 40, 113, 13);
  Label9->setFont(MakeFont(kArialFamilies, 11, true, true));
  SetTextColor(Label9, Qt::black);

  Label6 = MakeCaption(Panel1, "Label6", 88, 58, QStringLiteral("Autor:"));
  Label7 = MakeLabel(Panel1, "Label7", 120, 57, 121, 15);
  Label7->setFont(MakeFont(kComicFamilies, 11, true, true));
  SetTextColor(Label7, Qt::blue);

  Label10 = MakeCaption(Panel1, "Label10", 88, 74, QStringLiteral("E-mail: "));
  Label11 = MakeLabel(Panel1, "Label11", 128, 72, 145, 16);
  Label11->setFont(MakeFont(kComicFamilies, 11, true, false));
  SetTextColor(Label11, kNavy);

  Label12 = MakeCaption(Panel1, "Label12", 88, 90, QStringLiteral("http://"));
  Label13 = MakeLabel(Panel1, "Label13", 120, 90, 161, 14);
  Label13->setFont(MakeFont(kArialFamilies, 11, true, false));
  SetTextColor(Label13, Qt::black);

  const QFont companyFont = MakeFont(kComicFamilies, 16, true, true);
  Label4 = MakeLabel(Panel1, "Label4", 88, 120, 190, 23);
  Label4->setFont(companyFont);
  Label4->setAlignment(Qt::AlignRight | Qt::AlignTop);
  Label5 = MakeLabel(Panel1, "Label5", 86, 119, 190, 23);
  Label5->setFont(companyFont);
  Label5->setAlignment(Qt::AlignRight | Qt::AlignTop);
  SetTextColor(Label5, Qt::blue);

  // An input field lies above the labels it overlaps (Label4's top row).
  Edit1 = new QLineEdit(Panel1);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(88, 104, 186, 17);
  Edit1->setFixedSize(186, 17);
  Edit1->setReadOnly(true);
  Edit1->setFrame(false);
  Edit1->setFocusPolicy(Qt::ClickFocus);  // reachable by mouse, skipped by Tab
  Edit1->setAutoFillBackground(true);
  Edit1->raise();

  Label1 = MakeLabel(this, "Label1", 8, 160, 201, 13);
  QFont copyrightFont = ClassicFont();
  copyrightFont.setItalic(true);
  Label1->setFont(copyrightFont);

  Button1 = new QPushButton(QStringLiteral("&Zavřít"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(216, 160, 73, 17);
  Button1->setFixedSize(73, 17);
  // Not a default button: Enter presses it only while it has the focus (see keyPressEvent).
  Button1->setAutoDefault(false);
  Button1->setDefault(false);
  connect(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);

  // Centred on the desktop rather than over whichever window is active.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desktop = screen->geometry();
    move(desktop.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
  }
}

void TForm10::Button1Click() {
  close();
}

void TForm10::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    switch (event->key()) {
      case Qt::Key_Escape:
        event->ignore();
        return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (Button1->hasFocus()) Button1->click();
        event->accept();
        return;
      default:
        break;
    }
  }
  QDialog::keyPressEvent(event);
}

void RunAboutDialog(const QString& application, const QString& versionLine, const QString& author,
                    const QString& mail, const QString& http, const QString& company,
                    const QString& copyright, const QPixmap* picture, const QString& note) {
  auto dialog = std::make_unique<TForm10>();
  dialog->setWindowTitle(QStringLiteral("Informace o aplikaci: ") + application);
  dialog->Label1->setText(copyright);
  dialog->Label2->setText(application);
  dialog->Label3->setText(application);
  dialog->Label9->setText(versionLine);
  dialog->Label7->setText(author);
  dialog->Label11->setText(mail);
  dialog->Label13->setText(http);
  dialog->Label4->setText(company);
  dialog->Label5->setText(company);
  dialog->Edit1->setText(note);
  dialog->Edit1->setCursorPosition(0);  // a long note shows its beginning
  if (picture != nullptr) {
    dialog->Image2->setPixmap(*picture);
  } else {
    dialog->Image2->clear();
  }
  dialog->exec();
}

}  // namespace markwell
