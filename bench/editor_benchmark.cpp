// markwell-editor-benchmark: the editor's main window offscreen, driven as a
// user drives it, on generated Pascal sources of 1 and 10 MB (MB = 2^20
// bytes). For each size it times opening the file through the Open command's
// code (until the window shows it, then the rest of its layout), the
// formatting run started by the emphasis button (from the click to the
// formatting window gone and the document laid out), the run's stages one by
// one in a second, instrumented pass through the same bridge call, saving as
// RTF, copying everything to the clipboard and each flavour of the copy when
// it is asked for, one key press at the end of the document and scrolling
// one page. Prints one table of medians.
//
// Run it with QT_QPA_PLATFORM=offscreen. Layout: QTextDocument lays changed
// text out inside the call that changes it, between its contentsChange and
// contentsChanged signals, so the benchmark times that interval as the
// layout of an edit. A new document is laid out lazily instead: the top
// inside the call, the rest a piece per timer tick while events are
// handled. After each command the benchmark also times the pending events
// (the repaint) plus QAbstractTextDocumentLayout::documentSize(), which lays
// out whatever is left before it answers; for the open, an instrumented
// pass also lets the layout finish between events, as it does for the user,
// and reports the longest pause of the event loop meanwhile.
#include <QAbstractSlider>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor_hostile.h"
#include "error_box.h"
#include "files/document_file.h"
#include "languages/language_run.h"
#include "run/formatting_run.h"
#include "run/progress_view.h"
#include "run_formatting.h"
#include "source_generator.h"
#include "tform1.h"
#include "tform2.h"

namespace {

constexpr const char* kUsage =
    "usage: markwell-editor-benchmark [OPTIONS]\n"
    "  --sizes LIST      source sizes in MB, comma-separated (default: 1,10;\n"
    "                    also MARKWELL_EDITOR_BENCH_SIZES in the environment)\n"
    "  --runs N          repetitions below 10 MB; the median is printed (default: 3)\n"
    "  --large-runs N    repetitions from 10 MB on (default: 1)\n"
    "  --keywords DIR    directory of DelphiKey.txt (default: the build's)\n"
    "  --hostile         instead: open and paste hostile documents (many fonts,\n"
    "                    colours, sizes; deep nesting; one 50 MB line)\n"
    "  --hostile=NAME    only those whose file name holds NAME (fonts-line, ...)\n"
    "Run with QT_QPA_PLATFORM=offscreen. MB is 2^20 bytes.\n";

constexpr double kLargeMegabytes = 10.0;
constexpr double kMegabyte = 1024.0 * 1024.0;

double Milliseconds(qint64 nanoseconds) {
  return static_cast<double>(nanoseconds) / 1e6;
}

// The rows of the table, in the order printed. An indented name is a part
// of the row above it.
enum Stage : int {
  kOpen,
  kOpenCall,
  kOpenCallLayout,
  kOpenPaint,
  kOpenAfter,
  kRunWhole,
  kRunToWindow,
  kRunTimerWait,
  kRunToWritten,
  kRunLayout,
  kRunRest,
  kRunAfter,
  kSave,
  kCopy,
  kKeyPress,
  kScrollBarPage,
  kPageDownKey,
  kUndo,
  kPeakMemory,
  kPassLoad,
  kPassOpenCall,
  kPassOpenPaint,
  kPassOpenLazyLayout,
  kPassOpenLongestPause,
  kPassOpenKeyPress,
  kPassOpenForced,
  kPassTakeIn,
  kPassEngine,
  kPassEngineWindow,
  kPassWriteFormats,
  kPassLayout,
  kPassRest,
  kPassAfter,
  kPassTotal,
  kPassSaveTakeIn,
  kPassSaveWrite,
  kPassCopyRtf,
  kPassCopyHtml,
  kPassCopyText,
  kStageCount
};

struct StageName {
  Stage stage;
  const char* name;
};

constexpr StageName kStageNames[] = {
    {kOpen, "open a text file: shown, window usable"},
    {kOpenCall, "  OpenFile (read, decode, fill, first layout)"},
    {kOpenCallLayout, "    of which the layout of the new text"},
    {kOpenPaint, "  after it: pending events (the first paint)"},
    {kOpenAfter, "then: rest of the layout forced at once"},
    {kRunWhole, "formatting run: click to window gone, laid out"},
    {kRunToWindow, "  click to formatting window shown"},
    {kRunTimerWait, "  window's timer (shown to run start)"},
    {kRunToWritten, "  run start to the formats written"},
    {kRunLayout, "  layout of the changed formats"},
    {kRunRest, "  selection, window closed, click returns"},
    {kRunAfter, "  after it: pending events + forced layout"},
    {kSave, "save as RTF (SaveFile)"},
    {kCopy, "copy: select all + copy command + repaint"},
    {kKeyPress, "key press at the end, laid out, painted"},
    {kScrollBarPage, "scroll one page: scroll bar page step"},
    {kPageDownKey, "scroll one page: PageDown key"},
    {kUndo, "undo of the run (Ctrl+Z), painted"},
    {kPeakMemory, "peak memory, open to copy (MB, not ms)"},
    {kPassLoad, "open:  engine reads and decodes the file"},
    {kPassOpenCall, "open:  OpenFile again"},
    {kPassOpenPaint, "open:  first paint after it"},
    {kPassOpenLazyLayout, "open:  rest of the layout, events handled"},
    {kPassOpenLongestPause, "  longest event-loop pause meanwhile"},
    {kPassOpenKeyPress, "open:  key press at once (layout finished first)"},
    {kPassOpenForced, "open:  OpenFile + whole layout forced"},
    {kPassTakeIn, "run:   widget document into the engine"},
    {kPassEngine, "run:   engine run (RunFormattingSteps)"},
    {kPassEngineWindow, "  the same with the window's progress"},
    {kPassWriteFormats, "run:   formats written into the widget"},
    {kPassLayout, "run:   layout of the changed formats"},
    {kPassRest, "run:   selection set, rest of the edit"},
    {kPassAfter, "run:   pending events + forced layout"},
    {kPassTotal, "run:   sum of the stages"},
    {kPassSaveTakeIn, "save:  widget document into the engine"},
    {kPassSaveWrite, "save:  engine writes the RTF file"},
    {kPassCopyRtf, "copy:  clipboard's RTF, when asked for"},
    {kPassCopyHtml, "copy:  clipboard's HTML, when asked for"},
    {kPassCopyText, "copy:  clipboard's text, when asked for"},
};
static_assert(std::size(kStageNames) == kStageCount);
// The first row of the instrumented passes, under a heading of its own.
constexpr Stage kFirstPassStage = kPassLoad;

// What the application's event filter saw of the formatting window, and any
// message box, which it closes so that an error cannot hang the benchmark.
class WindowWatch : public QObject {
 public:
  explicit WindowWatch(QElapsedTimer& clock) : clock_(clock) {}

  void Reset() {
    shown = timerTick = hidden = -1;
    messages.clear();
  }

  qint64 shown = -1;      // the formatting window's Show event
  qint64 timerTick = -1;  // its timer's first tick: the run starts
  qint64 hidden = -1;     // its Hide event: the run has ended
  QStringList messages;   // texts of the message boxes seen

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
        if (qobject_cast<markwell::TForm2*>(watched) != nullptr && shown < 0) {
          shown = clock_.nsecsElapsed();
        } else if (auto* box = qobject_cast<QMessageBox*>(watched)) {
          messages << box->text();
          QMetaObject::invokeMethod(box, &QMessageBox::reject, Qt::QueuedConnection);
        }
        break;
      case QEvent::Timer:
        if (auto* form = qobject_cast<markwell::TForm2*>(watched->parent());
            form != nullptr && watched == form->Timer1 && timerTick < 0) {
          timerTick = clock_.nsecsElapsed();
        }
        break;
      case QEvent::Hide:
        if (qobject_cast<markwell::TForm2*>(watched) != nullptr && hidden < 0) {
          hidden = clock_.nsecsElapsed();
        }
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QElapsedTimer& clock_;
};

// When the widget's document reported its largest change and when it
// reported the change done. QTextDocument lays the changed text out between
// the two signals (contentsChange, then the layout, then contentsChanged),
// within the call that made the change: that is the layout of an edit.
class ChangeWatch {
 public:
  ChangeWatch(QTextDocument& document, QElapsedTimer& clock) {
    QObject::connect(&document, &QTextDocument::contentsChange, &document,
                     [this, &clock](int, int removed, int added) {
                       if (removed + added <= biggest_) return;
                       biggest_ = removed + added;
                       change = clock.nsecsElapsed();
                       changed = -1;
                       waiting_ = true;
                     });
    QObject::connect(&document, &QTextDocument::contentsChanged, &document, [this, &clock] {
      if (!waiting_) return;
      changed = clock.nsecsElapsed();
      waiting_ = false;
    });
  }

  void Reset() {
    change = changed = -1;
    biggest_ = -1;
    waiting_ = false;
  }
  bool Seen() const { return change >= 0 && changed >= change; }

  qint64 change = -1;
  qint64 changed = -1;

 private:
  int biggest_ = -1;
  bool waiting_ = false;
};

// Handles the pending events, then finishes the document's lazy layout and
// handles what that posted.
void Settle(QPlainTextEdit& editor) {
  QCoreApplication::processEvents();
  // documentSize() lays the whole document out before it answers.
  static_cast<void>(editor.document()->documentLayout()->documentSize());
  QCoreApplication::processEvents();
}

// Whether the widget has laid the whole document out: it lays the blocks
// out in order, the last one last.
bool LaidOut(const QPlainTextEdit& editor) {
  const QTextLayout* last = editor.document()->lastBlock().layout();
  return last != nullptr && last->lineCount() > 0;
}

using Samples = std::map<Stage, std::vector<double>>;

struct Failure {
  std::string what;
};

void Check(bool condition, const std::string& what) {
  if (!condition) throw Failure{what};
}

void CheckNoMessages(const WindowWatch& watch, const char* during) {
  if (!watch.messages.isEmpty()) {
    throw Failure{std::string("a message box during ") + during + ": " +
                  watch.messages.join(QStringLiteral(" | ")).toStdString()};
  }
}

std::string FileSystemName(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

long PeakResidentKilobytes();

// Starts the process's peak resident memory afresh (Linux: VmHWM).
void ResetPeakResident() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

// One repetition on `path`: a new main window, every stage once.
class Repetition {
 public:
  Repetition(const QString& path, const QString& keywordDirectory, const QString& rtfPath,
             WindowWatch& watch, QElapsedTimer& clock, Samples& samples)
      : path(path),
        rtfPath(rtfPath),
        watch(watch),
        clock(clock),
        samples(samples),
        form(ShownMainWindow(keywordDirectory)),
        editor(*form->REdit),
        changes(*editor.document(), clock) {
    watch.Reset();
  }

  void MeasureAll() {
    ResetPeakResident();
    Open();
    Run();
    UndoAndRedo();
    SaveAndCopy();
    samples[kPeakMemory].push_back(static_cast<double>(PeakResidentKilobytes()) / 1024.0);
    TypeAndScroll();
    OpenPasses();
    RunPasses();
    SavePasses();
    form.reset();
    QCoreApplication::processEvents();
  }

 private:
  static std::unique_ptr<markwell::TForm1> ShownMainWindow(const QString& keywordDirectory) {
    auto form = std::make_unique<markwell::TForm1>(keywordDirectory);
    form->show();
    Check(QTest::qWaitForWindowExposed(form.get()), "the main window was not exposed");
    return form;
  }

  void add(Stage stage, qint64 from, qint64 to) {
    samples[stage].push_back(Milliseconds(to - from));
  }

  // The open, as the user sees it.
  void Open() {
    qint64 start = 0;
    // Open, as the Open command does after its dialog. The window shows the
    // top of the document once the pending events are handled; the widget
    // lays the rest out a piece per timer tick, which Settle forces here.
    start = clock.nsecsElapsed();
    form->OpenFile(path);
    const qint64 opened = clock.nsecsElapsed();
    QCoreApplication::processEvents();
    const qint64 openPainted = clock.nsecsElapsed();
    Settle(editor);
    const qint64 openLaidOut = clock.nsecsElapsed();
    CheckNoMessages(watch, "the open");
    Check(editor.document()->characterCount() > 1, "the opened document is empty");
    Check(changes.Seen(), "the open changed no text");
    add(kOpen, start, openPainted);
    add(kOpenCall, start, opened);
    add(kOpenCallLayout, changes.change, changes.changed);
    add(kOpenPaint, opened, openPainted);
    add(kOpenAfter, openPainted, openLaidOut);
  }

  // The formatting run, from the button to the laid-out result.
  void Run() {
    qint64 start = 0;
    // The style and the colour toggle as a user sets them, then the button.
    const int pascalStyle = form->CBStyl->findText(QStringLiteral("Delphi "));
    Check(pascalStyle >= 0, "no \"Delphi \" style in the style box");
    form->CBStyl->setCurrentIndex(pascalStyle);
    emit form->CBStyl->activated(pascalStyle);
    if (!form->TBPouzitBarvu->isChecked()) QTest::mouseClick(form->TBPouzitBarvu, Qt::LeftButton);
    Check(form->TBPouzitBarvu->isChecked(), "the colour toggle is not down");
    Settle(editor);
    watch.Reset();
    changes.Reset();

    start = clock.nsecsElapsed();
    // Returns when the modal formatting window has closed.
    QTest::mouseClick(form->TBZmena, Qt::LeftButton);
    const qint64 returned = clock.nsecsElapsed();
    Settle(editor);
    const qint64 laidOut = clock.nsecsElapsed();
    CheckNoMessages(watch, "the formatting run");
    Check(watch.shown >= 0 && watch.timerTick >= 0 && watch.hidden >= 0,
          "no formatting window was seen");
    Check(changes.Seen() && changes.change > watch.timerTick && changes.changed < watch.hidden,
          "the run changed no formats inside its window");
    // The filter leaves the caret at the end of the text, and the text has
    // more than the one format it was opened with.
    Check(editor.textCursor().position() == editor.document()->characterCount() - 1,
          "the caret is not at the end after the run");
    Check(editor.document()->allFormats().size() > 3, "the run wrote no formats");
    add(kRunWhole, start, laidOut);
    add(kRunToWindow, start, watch.shown);
    add(kRunTimerWait, watch.shown, watch.timerTick);
    add(kRunToWritten, watch.timerTick, changes.change);
    add(kRunLayout, changes.change, changes.changed);
    add(kRunRest, changes.changed, returned);
    add(kRunAfter, returned, laidOut);
  }

  // The run undone with the editor's own key, then done again for the rest.
  void UndoAndRedo() {
    const qint64 start = clock.nsecsElapsed();
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QCoreApplication::processEvents();
    add(kUndo, start, clock.nsecsElapsed());
    Check(editor.document()->isRedoAvailable(), "the run could not be undone");
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::processEvents();
    Check(editor.document()->allFormats().size() > 3, "the redone run has no formats");
  }

  // Saving and copying, through the commands.
  void SaveAndCopy() {
    qint64 start = 0;
    // Save as RTF, as the Save command does after its dialog.
    start = clock.nsecsElapsed();
    form->SaveFile(rtfPath);
    add(kSave, start, clock.nsecsElapsed());
    CheckNoMessages(watch, "the save");
    Check(QFileInfo(rtfPath).size() > QFileInfo(path).size(), "the saved RTF is too small");

    // Select all and copy through the menu entries; the repaint of the
    // selection is part of it.
    start = clock.nsecsElapsed();
    form->Vybratve1->trigger();
    form->mnuVlozitdoschr->trigger();
    QCoreApplication::processEvents();
    add(kCopy, start, clock.nsecsElapsed());
    CheckNoMessages(watch, "the copy");
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    Check(copied != nullptr && copied->hasText(), "nothing reached the clipboard");

    // The clipboard makes each flavour when a program first asks for it.
    start = clock.nsecsElapsed();
    const QByteArray rtf = copied->data(QStringLiteral("text/rtf"));
    const qint64 rtfMade = clock.nsecsElapsed();
    // As another program gets it: the bytes, like the RTF's.
    const QByteArray html = copied->data(QStringLiteral("text/html"));
    const qint64 htmlMade = clock.nsecsElapsed();
    const QString text = copied->text();
    const qint64 textMade = clock.nsecsElapsed();
    Check(!rtf.isEmpty() && !html.isEmpty() && !text.isEmpty(), "an empty copy");
    add(kPassCopyRtf, start, rtfMade);
    add(kPassCopyHtml, rtfMade, htmlMade);
    add(kPassCopyText, htmlMade, textMade);
    QApplication::clipboard()->clear();
    Settle(editor);
  }

  // A key press and a page of scrolling.
  void TypeAndScroll() {
    qint64 start = 0;
    // One letter typed at the end of the document.
    editor.setFocus();
    QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
    Settle(editor);
    start = clock.nsecsElapsed();
    QTest::keyClick(&editor, Qt::Key_X);
    Settle(editor);
    add(kKeyPress, start, clock.nsecsElapsed());
    Check(editor.document()->lastBlock().text().endsWith(QLatin1Char('x')),
          "the typed letter is not at the end");

    // One page down from the middle: by the scroll bar, then by the key with
    // the caret in the middle of the document.
    QScrollBar& bar = *editor.verticalScrollBar();
    bar.setValue(bar.maximum() / 2);
    Settle(editor);
    const int before = bar.value();
    start = clock.nsecsElapsed();
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCoreApplication::processEvents();
    add(kScrollBarPage, start, clock.nsecsElapsed());
    Check(bar.value() > before, "the scroll bar did not move");

    QTextCursor middle(editor.document());
    middle.setPosition(editor.document()->characterCount() / 2);
    editor.setTextCursor(middle);
    editor.ensureCursorVisible();
    Settle(editor);
    const int caretBefore = editor.textCursor().position();
    start = clock.nsecsElapsed();
    QTest::keyClick(&editor, Qt::Key_PageDown);
    QCoreApplication::processEvents();
    add(kPageDownKey, start, clock.nsecsElapsed());
    Check(editor.textCursor().position() > caretBefore, "PageDown did not move the caret");
    CheckNoMessages(watch, "typing and scrolling");
  }

  // The open one call at a time.
  void OpenPasses() {
    qint64 start = 0;
    // The instrumented passes. The engine's part of the open on its own:
    {
      markwell::Document loaded;
      loaded.Font() = form->Bridge().Font();
      start = clock.nsecsElapsed();
      markwell::LoadFromFile(loaded, FileSystemName(path));
      add(kPassLoad, start, clock.nsecsElapsed());
    }

    // The open as the user meets it: the call, the first paint, and the rest
    // of the layout between events, with the longest pause it makes.
    {
      start = clock.nsecsElapsed();
      form->OpenFile(path);
      const qint64 reopened = clock.nsecsElapsed();
      QCoreApplication::processEvents();
      const qint64 painted = clock.nsecsElapsed();
      qint64 longestPause = 0;
      while (!LaidOut(editor)) {
        const qint64 before = clock.nsecsElapsed();
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        longestPause = std::max(longestPause, clock.nsecsElapsed() - before);
      }
      add(kPassOpenCall, start, reopened);
      add(kPassOpenPaint, reopened, painted);
      add(kPassOpenLazyLayout, painted, clock.nsecsElapsed());
      add(kPassOpenLongestPause, 0, longestPause);
    }
    // A key typed at the start at once: an edit lets the layout finish first.
    {
      form->OpenFile(path);
      QCoreApplication::processEvents();
      start = clock.nsecsElapsed();
      QTest::keyClick(&editor, Qt::Key_X);
      QCoreApplication::processEvents();
      add(kPassOpenKeyPress, start, clock.nsecsElapsed());
      Check(editor.document()->firstBlock().text().startsWith(QLatin1Char('x')),
            "the key typed after the open is not at the start");
      Check(LaidOut(editor), "the document is not laid out after the key press");
    }

    // The open with the layout forced at once, to compare with the above.
    // The file is opened again, as it was for the real run.
    start = clock.nsecsElapsed();
    form->OpenFile(path);
    Settle(editor);
    add(kPassOpenForced, start, clock.nsecsElapsed());
  }

  // The run one call at a time.
  void RunPasses() {
    qint64 start = 0;
    // The engine run alone on a copy of the opened text, reporting to a
    // formatting window through the window's own run, as the real run does:
    // the cost of the label's and the bar's updates.
    {
      markwell::Document document = form->Bridge().ToDocument();
      qint64 runStart = 0;
      qint64 runEnd = 0;
      markwell::RunFormatting(*form, [&](markwell::ProgressView& progress) {
        runStart = clock.nsecsElapsed();
        markwell::RunFormattingSteps(document, markwell::kPascalMode, form->Keywords(),
                                     form->TBPouzitBarvu->isChecked(), progress);
        runEnd = clock.nsecsElapsed();
      });
      add(kPassEngineWindow, runStart, runEnd);
      QCoreApplication::processEvents();
    }

    // The run on the opened file: the bridge call the run makes
    // (DocumentBridge::Edit with the run's steps), timed around and inside the
    // change, with silent progress.
    changes.Reset();
    const bool useColor = form->TBPouzitBarvu->isChecked();
    markwell::SilentProgress progress;
    qint64 runStart = 0;
    qint64 runEnd = 0;
    start = clock.nsecsElapsed();
    const markwell::DocumentBridge::EditOutcome outcome =
        form->Bridge().Edit([&](markwell::Document& document) {
          runStart = clock.nsecsElapsed();
          markwell::RunFormattingSteps(document, markwell::kPascalMode, form->Keywords(), useColor,
                                       progress);
          runEnd = clock.nsecsElapsed();
        });
    const qint64 edited = clock.nsecsElapsed();
    Settle(editor);
    const qint64 passLaidOut = clock.nsecsElapsed();
    Check(!outcome.error, "the instrumented run failed");
    Check(changes.Seen() && changes.change > runEnd, "the instrumented run changed no formats");
    add(kPassTakeIn, start, runStart);
    add(kPassEngine, runStart, runEnd);
    add(kPassWriteFormats, runEnd, changes.change);
    add(kPassLayout, changes.change, changes.changed);
    add(kPassRest, changes.changed, edited);
    add(kPassAfter, edited, passLaidOut);
    add(kPassTotal, start, passLaidOut);
    CheckNoMessages(watch, "the instrumented run");
  }

  // The save one call at a time.
  void SavePasses() {
    qint64 start = 0;
    // The save's two halves, on the formatted document.
    {
      start = clock.nsecsElapsed();
      const markwell::Document document = form->Bridge().ToDocument();
      const qint64 taken = clock.nsecsElapsed();
      markwell::SaveToFile(document, FileSystemName(rtfPath));
      add(kPassSaveTakeIn, start, taken);
      add(kPassSaveWrite, taken, clock.nsecsElapsed());
    }
  }

  const QString& path;
  const QString& rtfPath;
  WindowWatch& watch;
  QElapsedTimer& clock;
  Samples& samples;
  std::unique_ptr<markwell::TForm1> form;
  QPlainTextEdit& editor;
  ChangeWatch changes;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::optional<std::vector<double>> ParseSizes(const QString& text) {
  std::vector<double> sizes;
  for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    bool ok = false;
    const double size = part.trimmed().toDouble(&ok);
    if (!ok || size <= 0) return std::nullopt;
    sizes.push_back(size);
  }
  if (sizes.empty()) return std::nullopt;
  return sizes;
}

QString SizeLabel(double megabytes) {
  return QString::number(megabytes) + QStringLiteral(" MB");
}

long PeakResidentKilobytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  }
  return -1;
}

struct Options {
  std::vector<double> sizes;
  int runs = 3;
  int largeRuns = 1;
  bool hostile = false;
  QString hostileOnly;  // empty: all of them
  QString keywordDirectory = QStringLiteral(MARKWELL_KEYWORD_DIR);
};

// The options into `options`; an exit status when the program should end.
std::optional<int> ParseOptions(const QStringList& arguments, Options& options) {
  QString sizeText = qEnvironmentVariable("MARKWELL_EDITOR_BENCH_SIZES", QStringLiteral("1,10"));
  int& runs = options.runs;
  int& largeRuns = options.largeRuns;
  QString& keywordDirectory = options.keywordDirectory;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& option = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    bool ok = true;
    if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (option == QLatin1String("--sizes") && hasValue) {
      sizeText = arguments[++i];
    } else if (option == QLatin1String("--runs") && hasValue) {
      runs = arguments[++i].toInt(&ok);
    } else if (option == QLatin1String("--large-runs") && hasValue) {
      largeRuns = arguments[++i].toInt(&ok);
    } else if (option == QLatin1String("--hostile")) {
      options.hostile = true;
    } else if (option.startsWith(QLatin1String("--hostile="))) {
      options.hostile = true;
      options.hostileOnly = option.mid(10);
    } else if (option == QLatin1String("--keywords") && hasValue) {
      keywordDirectory = arguments[++i];
    } else {
      ok = false;
    }
    if (!ok || runs < 1 || largeRuns < 1) {
      std::fprintf(stderr, "markwell-editor-benchmark: bad option '%s'\n%s",
                   option.toLocal8Bit().constData(), kUsage);
      return 2;
    }
  }
  const std::optional<std::vector<double>> sizes = ParseSizes(sizeText);
  if (!sizes) {
    std::fprintf(stderr, "markwell-editor-benchmark: bad sizes '%s'\n%s",
                 sizeText.toLocal8Bit().constData(), kUsage);
    return 2;
  }
  if (!keywordDirectory.endsWith(QLatin1Char('/'))) keywordDirectory += QLatin1Char('/');

  options.sizes = *sizes;
  return std::nullopt;
}

bool WriteSource(
    const QString& path, std::size_t bytes,
    markwell::bench::SourceLanguage language = markwell::bench::SourceLanguage::kPascal) {
  const std::string source = markwell::bench::GenerateSource(language, bytes);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(source.data(), static_cast<qint64>(source.size())) !=
          static_cast<qint64>(source.size())) {
    std::fprintf(stderr, "markwell-editor-benchmark: cannot write %s\n",
                 path.toLocal8Bit().constData());
    return false;
  }
  return true;
}

// One repetition; false, with a message, when it failed.
bool MeasureRepetition(const QString& path, const QString& keywordDirectory, const QString& rtfPath,
                       WindowWatch& watch, QElapsedTimer& clock, Samples& samples,
                       double megabytes) {
  try {
    Repetition(path, keywordDirectory, rtfPath, watch, clock, samples).MeasureAll();
    return true;
  } catch (const Failure& failure) {
    std::fprintf(stderr, "markwell-editor-benchmark: %s: %s\n",
                 SizeLabel(megabytes).toLocal8Bit().constData(), failure.what.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "markwell-editor-benchmark: %s: %s\n",
                 SizeLabel(megabytes).toLocal8Bit().constData(), error.what());
  }
  return false;
}

// The table: one column per size, the median of its repetitions in ms.
void PrintTable(const std::vector<double>& sizes, const std::vector<int>& repetitions,
                const std::vector<Samples>& results) {
  constexpr int kNameWidth = 49;
  constexpr int kColumnWidth = 14;
  std::printf(
      "\nEditor benchmark: generated Pascal, main window offscreen, Delphi style, colour "
      "on (ms)\n\n");
  std::printf("%-*s", kNameWidth, "stage");
  for (const double megabytes : sizes) {
    std::printf("%*s", kColumnWidth, SizeLabel(megabytes).toLocal8Bit().constData());
  }
  std::printf("\n%-*s", kNameWidth, "");
  for (const int count : repetitions) {
    const QString label =
        count == 1 ? QStringLiteral("1 run") : QStringLiteral("median of %1").arg(count);
    std::printf("%*s", kColumnWidth, label.toLocal8Bit().constData());
  }
  std::printf("\n%s\n", std::string(kNameWidth + kColumnWidth * sizes.size(), '-').c_str());
  for (const StageName& row : kStageNames) {
    if (row.stage == kFirstPassStage) {
      std::printf("\nthe same calls one at a time (instrumented passes):\n");
    }
    std::printf("%-*s", kNameWidth, row.name);
    for (const Samples& samples : results) {
      const auto found = samples.find(row.stage);
      if (found == samples.end() || found->second.empty()) {
        std::printf("%*s", kColumnWidth, "-");
      } else {
        std::printf("%*.1f", kColumnWidth, Median(found->second));
      }
    }
    std::printf("\n");
  }
  std::printf("\npeak resident memory of the whole benchmark: %.0f MB\n",
              static_cast<double>(PeakResidentKilobytes()) / 1024.0);
  std::printf(
      "\nLayout: the time between the document's contentsChange and contentsChanged\n"
      "signals, inside the call that made the change; 'after it' rows: pending events\n"
      "(the repaint) plus the rest of any lazy layout forced by documentSize(). An\n"
      "opened document is laid out lazily: its first row ends with the first paint;\n"
      "the rest is laid out between events (see the open passes) or forced.\n"
      "The real run reports to its window; the instrumented run through\n"
      "DocumentBridge::Edit has silent progress. The window's timer waits 100 ms by design.\n");
}

// A run with a language definition: a generated C source of `bytes` run
// from the style box's "C" entry in the editor, against the same run as
// markwell-cli makes it (the file loaded into a document, RunLanguage with
// silent progress). Prints both and their ratio; false when it failed.
bool MeasureDefinitionRun(const QString& directory, const QString& keywordDirectory,
                          WindowWatch& watch, QElapsedTimer& clock, std::size_t bytes) {
  const QString path = directory + QStringLiteral("/definition.c");
  if (!WriteSource(path, bytes, markwell::bench::SourceLanguage::kC)) return false;
  try {
    markwell::TForm1 form(keywordDirectory);
    form.show();
    Check(QTest::qWaitForWindowExposed(&form), "the main window was not exposed");
    form.OpenFile(path);
    Settle(*form.REdit);
    const int cStyle = form.CBStyl->findText(QStringLiteral("C"));
    Check(cStyle >= 0, "no \"C\" style in the style box");
    Check(form.CBStyl->currentIndex() == cStyle, "opening a .c file did not select \"C\"");
    if (!form.TBPouzitBarvu->isChecked()) QTest::mouseClick(form.TBPouzitBarvu, Qt::LeftButton);
    watch.Reset();
    const qint64 start = clock.nsecsElapsed();
    QTest::mouseClick(form.TBZmena, Qt::LeftButton);
    Settle(*form.REdit);
    const qint64 editorRun = clock.nsecsElapsed() - start;
    CheckNoMessages(watch, "the run with the C definition");
    Check(form.REdit->document()->allFormats().size() > 3, "the run wrote no formats");

    // The command line's run: markwell-cli beside this program, as a script
    // runs it (the definition loaded, the file read, the run, RTF written).
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/markwell-cli");
    QProcess process;
    const qint64 cliStart = clock.nsecsElapsed();
    process.start(cli, {QStringLiteral("-m"), QStringLiteral("c"), QStringLiteral("-c"),
                        QStringLiteral("-o"), directory + QStringLiteral("/definition.rtf"), path});
    Check(process.waitForFinished(-1) && process.exitCode() == 0, "markwell-cli -m c failed");
    const qint64 cliRun = clock.nsecsElapsed() - cliStart;
    std::printf(
        "\nRun with the C definition, %.1f MB of generated C, colour on:\n"
        "  editor, button to laid-out result (window's 100 ms wait included)  %9.1f ms\n"
        "  markwell-cli -m c -c -o FILE.rtf of the same file                  %9.1f ms\n"
        "  editor / markwell-cli                                               %9.2f (at most "
        "1.5)\n",
        static_cast<double>(bytes) / kMegabyte, Milliseconds(editorRun), Milliseconds(cliRun),
        static_cast<double>(editorRun) / static_cast<double>(cliRun));
    return true;
  } catch (const Failure& failure) {
    std::fprintf(stderr, "markwell-editor-benchmark: C definition: %s\n", failure.what.c_str());
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  Options options;
  if (const std::optional<int> exit = ParseOptions(QCoreApplication::arguments().mid(1), options)) {
    return *exit;
  }

  markwell::SetApplicationTitle();
  if (options.hostile)
    return markwell::bench::MeasureHostileDocuments(options.keywordDirectory, options.hostileOnly);
  QTemporaryDir work;
  if (!work.isValid()) {
    std::fputs("markwell-editor-benchmark: no temporary directory\n", stderr);
    return 1;
  }

  QElapsedTimer clock;
  clock.start();
  WindowWatch watch(clock);
  application.installEventFilter(&watch);

  std::vector<Samples> results;
  std::vector<int> repetitions;
  for (const double megabytes : options.sizes) {
    const auto bytes = static_cast<std::size_t>(megabytes * kMegabyte);
    const QString path = work.filePath(QStringLiteral("source-%1.pas").arg(bytes));
    const QString rtfPath = work.filePath(QStringLiteral("saved-%1.rtf").arg(bytes));
    if (!WriteSource(path, bytes)) return 1;
    const int count = megabytes >= kLargeMegabytes ? options.largeRuns : options.runs;
    Samples samples;
    for (int run = 0; run < count; ++run) {
      std::fprintf(stderr, "%s: run %d of %d\n", SizeLabel(megabytes).toLocal8Bit().constData(),
                   run + 1, count);
      if (!MeasureRepetition(path, options.keywordDirectory, rtfPath, watch, clock, samples,
                             megabytes)) {
        return 1;
      }
    }
    QFile::remove(path);
    QFile::remove(rtfPath);
    results.push_back(std::move(samples));
    repetitions.push_back(count);
  }
  PrintTable(options.sizes, repetitions, results);
  if (!MeasureDefinitionRun(work.path(), options.keywordDirectory, watch, clock,
                            static_cast<std::size_t>(kMegabyte))) {
    return 1;
  }
  return 0;
}
