#include "tform1.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>

#include "classic_font.h"
#include "error_box.h"
#include "files/engine_error.h"
#include "mime_types.h"
#include "pictures.h"
#include "rich_edit.h"

namespace markwell {

namespace {

constexpr QSize kOuterSize(576, 392);
constexpr int kFramingTime = 5000;  // ms

// The screen's font families, each once, in alphabetical order.
QStringList FontFamilies() {
  QStringList families;
  for (const QString& family : QFontDatabase::families()) {
    if (!QFontDatabase::isPrivateFamily(family)) families << family;
  }
  families.removeDuplicates();
  std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
    const int order = QString::compare(a, b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
  });
  return families;
}

}  // namespace

TForm1::TForm1(const QString& keywordDirectory, const QString& programDirectory)
    : REdit(new RichEdit(this)),
      definitions_(DefinitionDirectories(QFile::encodeName(programDirectory).toStdString())),
      installedDefinitions_(FindInstalledDefinitions(definitions_.Directories())),
      languages_(installedDefinitions_.definitions),
      bridge_(*REdit) {
  setWindowTitle(QStringLiteral("Editor pro úpravu kódu programu"));
  setWindowIcon(WindowIcon());
  setFont(ClassicFont());
  ImageList1 = LoadImageList();
  ApplyMarkwellIdentity(ProgramInfo1);

  BuildEditor();
  BuildToolBar();
  BuildMenu();
  BuildDialogs();
  ConnectHandlers();
  resize(kOuterSize);

  FormCreate(keywordDirectory);
}

TForm1::~TForm1() {
  // The controls outlive this part of the window while QWidget deletes them,
  // and a combo box losing its focus then still reports a pick: no handler
  // may run on a window that is half gone.
  for (QObject* child : findChildren<QObject*>()) {
    child->disconnect(this);
    child->removeEventFilter(this);
  }
  for (QComboBox* box : {CBStyl, CBFont, CBVelText}) {
    if (box != nullptr) box->setStyle(nullptr);
  }
  if (REdit != nullptr) {
    REdit->SetClipboardHandlers(nullptr, nullptr);
    REdit->SetFileDropHandler(nullptr);
  }
}

QString TForm1::DefaultKeywordDirectory() {
  return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void TForm1::BuildEditor() {
  REdit->setObjectName(QStringLiteral("REdit"));
  REdit->setAccessibleName(QStringLiteral("Text dokumentu"));
  REdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  REdit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  REdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  REdit->setTabChangesFocus(true);
  // The widget's own clipboard use (keys, context menu, drag and drop) is the commands'.
  REdit->SetClipboardHandlers([this] { return SelectionMimeData(); },
                              [this](const QMimeData& data) { Paste(data); }, RtfMimeTypes());
  REdit->SetFileDropHandler([this](const QString& fileName) { OpenFileReportingErrors(fileName); });
  setCentralWidget(REdit);
}

void TForm1::FormCreate(const QString& keywordDirectory) {
  CBFont->clear();
  CBFont->addItems(FontFamilies());
  CBFont->setCurrentIndex(-1);
  CBStyl->setCurrentIndex(0);
  // A keyword file that cannot be read is reported; the program starts all the same.
  Guarded([this, &keywordDirectory] {
    LoadKeywordLists(QFile::encodeName(keywordDirectory).toStdString(), keywordLists_);
  })();
  // So is a map of language definitions that cannot be read.
  for (const std::string& warning : installedDefinitions_.warnings) {
    Guarded([&warning] { throw EngineError(warning); })();
  }
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (event->spontaneous()) return;
  if (!placed_) PlaceOnScreen();
  Guarded([this] { REditSelectionChange(); })();
}

std::optional<QSize> ClientSizeForOuterSize(QSize outer, QSize frame) {
  // A null frame is one the window manager has not reported (or draws not
  // at all); a frame with no side borders is a frame all the same. Until the
  // window is framed, X11 can report a frame smaller than the window, which
  // would make the window nearly twice its size.
  if (frame.isNull() || frame.width() < 0 || frame.height() < 0) return std::nullopt;
  return outer - frame;
}

void TForm1::PlaceOnScreen() {
  placed_ = true;
  const QScreen* screen =
      this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  desktop_ = screen->availableGeometry();
  move(desktop_.center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
  // The outer size is known only once the window manager has framed the
  // window, which may be some events after the show.
  // No event says that the frame has come: each event of the window looks
  // until it has, or until the window manager has had time enough.
  awaitingFrame_ = true;
  if (windowHandle() != nullptr) windowHandle()->installEventFilter(this);
  QTimer::singleShot(0, this, [this] { FitOuterSizeToFrame(); });
  QTimer::singleShot(kFramingTime, this, [this] {
    awaitingFrame_ = false;
    if (windowHandle() != nullptr) windowHandle()->removeEventFilter(this);
  });
}

void TForm1::FitOuterSizeToFrame() {
  if (!awaitingFrame_) return;
  const auto client =
      ClientSizeForOuterSize(kOuterSize, frameGeometry().size() - geometry().size());
  if (!client) return;
  awaitingFrame_ = false;
  resize(*client);
  move(desktop_.center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle()) {
    FitOuterSizeToFrame();
    return false;
  }
  const bool sizeField = watched == CBVelText || watched == CBVelText->lineEdit();
  if (sizeField && event->type() == QEvent::KeyPress) {
    return CBVelTextKeyPress(*static_cast<QKeyEvent*>(event));
  }
  if (watched == CBVelText && event->type() == QEvent::FocusOut) {
    // Leaving the field applies nothing. Qt's combo box would pick the entry
    // that matches the typed text and report it as chosen by the user.
    const QSignalBlocker quiet(CBVelText->lineEdit());
    static_cast<QObject*>(CBVelText)->event(event);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace markwell
