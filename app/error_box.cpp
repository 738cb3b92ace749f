#include "error_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <stdexcept>

namespace markwell {

void SetApplicationTitle() {
  // The name, not the display name, which some desktops append to every
  // window caption.
  QCoreApplication::setApplicationName(QStringLiteral("RX-Markwell"));
}

QString ApplicationTitle() {
  return QCoreApplication::applicationName();
}

QString ErrorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
  return message;
}

void ShowErrorBox(const QString& message) {
  QMessageBox box(QMessageBox::Critical, ApplicationTitle(), ErrorBoxText(message), QMessageBox::Ok,
                  QApplication::activeWindow());
  // A file name may look like markup ("<b>x</b>.pas"); it is shown as it is.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void ShowPlainMessage(const QString& message) {
  QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), message, QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void ShowError(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    ShowErrorBox(QString::fromUtf8(e.what()));
  } catch (...) {
    ShowErrorBox(QStringLiteral("Unknown error"));
  }
}

}  // namespace markwell
