// markwell: the editor. `markwell FILE` opens FILE at start-up as the Open
// command would; --help and --version print and exit without a window.
#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "error_box.h"
#include "markwell_version.h"
#include "qt_translation.h"
#include "tform1.h"

namespace {

constexpr const char* kUsage =
    "Usage: markwell [FILE]\n"
    "\n"
    "Markwell emphasises program source code (Pascal, MATLAB, assembler) in a\n"
    "rich-text document. FILE, if given, is opened at start-up as the Open\n"
    "command opens it (RTF, or plain text; a .pas or .dpr file selects the\n"
    "Pascal style).\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "See also markwell-cli(1) for the same engine without a window.\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before any window system is touched, so they work without a display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("markwell %s\n", markwell::kVersion);
      return 0;
    }
  }

  QApplication application(argc, argv);
  // What is left after Qt took its own options (-platform, -style, ...).
  QStringList files = QCoreApplication::arguments().mid(1);
  files.removeOne(QStringLiteral("--"));
  for (const QString& argument : files) {
    if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
      std::fprintf(stderr, "markwell: unknown option '%s'\nTry 'markwell --help'.\n",
                   argument.toLocal8Bit().constData());
      return 2;
    }
  }
  if (files.size() > 1) {
    std::fputs("markwell: only one file can be opened\nTry 'markwell --help'.\n", stderr);
    return 2;
  }

  markwell::SetApplicationTitle();
  QTranslator czechDialogs;
  markwell::InstallQtCzechTranslation(czechDialogs);
  markwell::TForm1 form;
  form.show();
  if (!files.isEmpty()) form.OpenFileReportingErrors(files.front());
  return QApplication::exec();
}
