#include "editor_hostile.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tform1.h"

namespace markwell::bench {

namespace {

constexpr int kDistinct = 50'000;
constexpr int kCharactersPerLine = 40;

// One character per format, `perLine` characters to a paragraph (0: all in one).
std::string Characters(const char* controlWord, int first, int perLine) {
  std::string body;
  for (int i = 0; i < kDistinct; ++i) {
    body += '\\';
    body += controlWord;
    body += std::to_string(first + i);
    body += ' ';
    body += static_cast<char>('a' + i % 8);
    if (perLine > 0 && i % perLine == perLine - 1) body += "\\par\n";
  }
  return body;
}

std::string DistinctFonts(int perLine) {
  std::string table = "{\\fonttbl";
  for (int i = 0; i < kDistinct; ++i) {
    table += "{\\f" + std::to_string(i) + "\\fnil Font" + std::to_string(i) + ";}";
  }
  return "{\\rtf1\\ansi" + table + "}" + Characters("f", 0, perLine) + "}";
}

std::string DistinctColors(int perLine) {
  std::string table = "{\\colortbl;";
  for (int i = 0; i < kDistinct; ++i) {
    table += "\\red" + std::to_string(i & 0xFF) + "\\green" + std::to_string((i >> 8) & 0xFF) +
             "\\blue" + std::to_string(i >> 16) + ";";
  }
  return "{\\rtf1\\ansi" + table + "}" + Characters("cf", 1, perLine) + "}";
}

// Half-points from 2 up: the sizes from 1 point to 50,000.
std::string DistinctSizes(int perLine) {
  return "{\\rtf1\\ansi " + Characters("fs", 2, perLine) + "}";
}

std::string NestedGroups() {
  constexpr int kDepth = 100'000;
  return "{\\rtf1\\ansi " + std::string(kDepth, '{') + "x" + std::string(kDepth, '}') + "}";
}

std::string OneLongLine() {
  const std::string piece = "begin x := 1; { comment } 'text' end; ";
  constexpr std::size_t kBytes = std::size_t{50} << 20;
  std::string line;
  line.reserve(kBytes + piece.size());
  while (line.size() < kBytes) line += piece;
  line.resize(kBytes);
  return line;
}

struct Hostile {
  const char* name;
  const char* fileName;
  std::string content;
};

std::vector<Hostile> HostileDocuments() {
  std::vector<Hostile> documents;
  documents.push_back(
      {"50,000 fonts, 40 to a line", "fonts.rtf", DistinctFonts(kCharactersPerLine)});
  documents.push_back({"50,000 fonts, one line", "fonts-line.rtf", DistinctFonts(0)});
  documents.push_back(
      {"50,000 colours, 40 to a line", "colours.rtf", DistinctColors(kCharactersPerLine)});
  documents.push_back({"50,000 colours, one line", "colours-line.rtf", DistinctColors(0)});
  documents.push_back(
      {"50,000 sizes, 40 to a line", "sizes.rtf", DistinctSizes(kCharactersPerLine)});
  documents.push_back({"50,000 sizes, one line", "sizes-line.rtf", DistinctSizes(0)});
  documents.push_back({"100,000 nested groups", "nested.rtf", NestedGroups()});
  documents.push_back({"50 MB in one line (text)", "line.pas", OneLongLine()});
  return documents;
}

double Since(const QElapsedTimer& clock, qint64 start) {
  return static_cast<double>(clock.nsecsElapsed() - start) / 1e6;
}

struct Times {
  double open = 0;   // OpenFile, then the first paint
  double key = 0;    // a key typed at the end, painted
  double page = 0;   // PageDown from the end of the first screen, painted
  double paste = 0;  // the file's bytes pasted as RTF into the emptied editor, painted
};

Times Measure(TForm1& form, const QString& path, const QByteArray& bytes, bool isRtf) {
  QPlainTextEdit& editor = *form.REdit;
  QElapsedTimer clock;
  clock.start();
  Times times;
  qint64 start = clock.nsecsElapsed();
  form.OpenFile(path);
  QCoreApplication::processEvents();
  times.open = Since(clock, start);

  // A key after the caret is put with `place`, timed to its repaint.
  const auto timedKey = [&](Qt::Key place, Qt::Key key) {
    QTest::keyClick(&editor, place, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const qint64 from = clock.nsecsElapsed();
    QTest::keyClick(&editor, key);
    QCoreApplication::processEvents();
    return Since(clock, from);
  };
  editor.setFocus();
  times.key = timedKey(Qt::Key_End, Qt::Key_X);
  times.page = timedKey(Qt::Key_Home, Qt::Key_PageDown);

  if (isRtf) {
    form.mnuNovyClick();
    QCoreApplication::processEvents();
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("text/rtf"), bytes);
    QApplication::clipboard()->setMimeData(data.release());
    start = clock.nsecsElapsed();
    form.mnuPaste->trigger();
    QCoreApplication::processEvents();
    times.paste = Since(clock, start);
    QApplication::clipboard()->clear();
  }
  return times;
}

}  // namespace

int MeasureHostileDocuments(const QString& keywordDirectory, const QString& only) {
  QTemporaryDir work;
  if (!work.isValid()) {
    std::fputs("markwell-editor-benchmark: no temporary directory\n", stderr);
    return 1;
  }
  std::printf("\nHostile documents: open, then a key, a page and a paste of the same RTF (ms)\n\n");
  std::printf("%-32s%10s%10s%10s%10s%10s\n", "document", "MB", "open", "key", "page", "paste");
  for (const Hostile& hostile : HostileDocuments()) {
    const QString fileName = QString::fromLatin1(hostile.fileName);
    if (!fileName.contains(only)) continue;
    const QString path = work.filePath(fileName);
    const QByteArray bytes = QByteArray::fromStdString(hostile.content);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return 1;
    file.close();
    auto form = std::make_unique<TForm1>(keywordDirectory);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) return 1;
    const bool isRtf = path.endsWith(QLatin1String(".rtf"));
    const Times times = Measure(*form, path, bytes, isRtf);
    std::printf("%-32s%10.1f%10.0f%10.1f%10.1f", hostile.name,
                static_cast<double>(bytes.size()) / (1 << 20), times.open, times.key, times.page);
    if (isRtf) {
      std::printf("%10.0f\n", times.paste);
    } else {
      std::printf("%10s\n", "-");
    }
    std::fflush(stdout);
    form.reset();
    QCoreApplication::processEvents();
  }
  return 0;
}

}  // namespace markwell::bench
