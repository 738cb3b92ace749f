// The application's error box and its one plain message, and the guard that
// brings every unhandled error of an event handler to the error box.
#pragma once

#include <QString>
#include <exception>
#include <utility>

namespace markwell {

// The program's title "RX-Markwell": caption of every message box, name of
// the running program. Set once at start.
void SetApplicationTitle();
QString ApplicationTitle();

// The message as the error box shows it: a full stop is added when the last
// character sorts after ".".
QString ErrorBoxText(const QString& message);

// Caption "RX-Markwell", error icon, one OK button.
void ShowErrorBox(const QString& message);
// The message box of the emphasis commands: no icon, one OK button, centred
// on the screen.
void ShowPlainMessage(const QString& message);

// Shows the error that `error` holds in the error box.
void ShowError(const std::exception_ptr& error);

// A handler that shows its unhandled errors in the error box, after which
// the program goes on.
template <typename Handler>
auto Guarded(Handler handler) {
  return [handler = std::move(handler)](auto&&...) {
    try {
      handler();
    } catch (...) {
      ShowError(std::current_exception());
    }
  };
}

}  // namespace markwell
