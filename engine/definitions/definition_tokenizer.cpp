#include "definitions/definition_tokenizer.h"

#include <srchilite/formatter.h>
#include <srchilite/formattermanager.h>
#include <srchilite/formatterparams.h>
#include <srchilite/sourcehighlighter.h>
#include <atomic>
#include <boost/make_shared.hpp>
#include <chrono>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <thread>

#include "definitions/line_pieces.h"
#include "definitions/loaded_definition.h"
#include "definitions/regex_block_cache.h"
#include "files/engine_error.h"
#include "text/utf8.h"

namespace markwell {

namespace {

// Below this many units a second thread costs more than it saves.
constexpr std::size_t kTwoThreadsFrom = std::size_t{1} << 18;

// The marks of one tokenizer, in document positions. A piece is handed to
// the library as UTF-8; its byte positions come back here.
class MarkSink {
 public:
  // The piece now tokenized starts at document position `start`;
  // `unitOfByte` maps its bytes to units, or is empty when every byte is one.
  void BeginPiece(int start, const std::vector<int>& unitOfByte) {
    pieceStart_ = start;
    unitOfByte_ = &unitOfByte;
  }

  void Add(std::size_t byte, std::size_t bytes, TokenStyle style) {
    const int start = pieceStart_ + UnitAt(byte);
    const int end = pieceStart_ + UnitAt(byte + bytes);
    if (end <= start) return;
    if (!marks.empty() && marks.back().style == style &&
        marks.back().start + marks.back().length == start) {
      marks.back().length = end - marks.back().start;
    } else {
      marks.push_back({start, end - start, style});
    }
  }

  DefinitionMarks marks;

 private:
  int UnitAt(std::size_t byte) const {
    if (unitOfByte_->empty()) return static_cast<int>(byte);
    return (*unitOfByte_)[std::min(byte, unitOfByte_->size() - 1)];
  }

  int pieceStart_ = 0;
  const std::vector<int>* unitOfByte_ = nullptr;
};

// The formatter of one element name: it records where the element stands.
class MarkRecorder : public srchilite::Formatter {
 public:
  MarkRecorder(MarkSink& sink, TokenStyle style) : sink_(sink), style_(style) {}
  void format(const std::string& text, const srchilite::FormatterParams* params) override {
    if (params != nullptr && params->start >= 0 && !text.empty()) {
      sink_.Add(static_cast<std::size_t>(params->start), text.size(), style_);
    }
  }

 private:
  MarkSink& sink_;
  TokenStyle style_;
};

// The formatter of every element that keeps its look.
class Unmarked : public srchilite::Formatter {
 public:
  void format(const std::string&, const srchilite::FormatterParams*) override {}
};

// Appends the UTF-8 of units [0, piece.size()) to `bytes`; when a unit is
// not ASCII, `unitOfByte` gets the unit of each byte and one entry more for
// the end. An unpaired surrogate becomes U+FFFD.
void EncodePiece(std::u16string_view piece, std::string& bytes, std::vector<int>& unitOfByte) {
  bytes.clear();
  unitOfByte.clear();
  std::size_t i = 0;
  while (i < piece.size() && piece[i] < 0x80) bytes.push_back(static_cast<char>(piece[i++]));
  if (i == piece.size()) return;
  unitOfByte.resize(bytes.size());
  for (std::size_t k = 0; k < unitOfByte.size(); ++k) unitOfByte[k] = static_cast<int>(k);
  while (i < piece.size()) {
    // One character: a unit, or the two of a surrogate pair.
    const std::size_t first = i++;
    if (IsHighSurrogate(piece[first]) && i < piece.size() && IsLowSurrogate(piece[i])) ++i;
    const std::size_t before = bytes.size();
    AppendUtf8(piece.substr(first, i - first), bytes);
    unitOfByte.insert(unitOfByte.end(), bytes.size() - before, static_cast<int>(first));
  }
  unitOfByte.push_back(static_cast<int>(piece.size()));
}

// One highlighter of the library with its formatters: it takes lines in
// order, each starting in the state the one before left.
class LineTokenizer {
 public:
  LineTokenizer(srchilite::HighlightStatePtr start, std::span<const ElementLook> looks,
                std::string path)
      : highlighter_(start), formatters_(boost::make_shared<Unmarked>()), path_(std::move(path)) {
    for (const ElementLook& look : looks) {
      formatters_.addFormatter(std::string(look.element),
                               boost::make_shared<MarkRecorder>(sink, look.style));
    }
    highlighter_.setFormatterManager(&formatters_);
    // Each element's own start in its line, which the library gives only
    // when it does not join neighbouring elements.
    highlighter_.setOptimize(false);
    highlighter_.setFormatterParams(&params_);
  }
  LineTokenizer(const LineTokenizer&) = delete;
  LineTokenizer& operator=(const LineTokenizer&) = delete;

  void Take(std::u16string_view text, TextLine line) {
    std::u16string_view rest =
        text.substr(static_cast<std::size_t>(line.start), static_cast<std::size_t>(line.length));
    int start = line.start;
    do {
      const int length = FirstPieceLength(rest);
      Highlight(rest.substr(0, static_cast<std::size_t>(length)), start);
      rest.remove_prefix(static_cast<std::size_t>(length));
      start += length;
    } while (!rest.empty());
  }

  // Whether the definition is back where it starts: a line that begins here
  // is tokenized as it would be at the start of the text.
  bool InStartState() {
    return highlighter_.getCurrentState() == highlighter_.getMainState() &&
           highlighter_.getStateStack()->empty();
  }

  MarkSink sink;

 private:
  void Highlight(std::u16string_view piece, int start) {
    EncodePiece(piece, bytes_, unitOfByte_);
    sink.BeginPiece(start, unitOfByte_);
    try {
      highlighter_.highlightParagraph(bytes_);
    } catch (const std::exception& error) {
      throw EngineError(path_ + ": " + error.what());
    }
  }

  srchilite::SourceHighlighter highlighter_;
  srchilite::FormatterManager formatters_;
  srchilite::FormatterParams params_;
  std::string path_;
  std::string bytes_;
  std::vector<int> unitOfByte_;
};

// Tokenizes the lines that start from `from` up to, not including, `to`
// (one past the text's end takes its last line), calling `afterLine` with
// each line's end; it stops early when that returns false.
template <typename AfterLine>
void TakeLines(LineTokenizer& tokenizer, std::u16string_view text, int from, int to,
               AfterLine afterLine) {
  for (int start = from; start < to;) {
    const TextLine line = LineAt(text, start);
    tokenizer.Take(text, line);
    if (!afterLine(line.start + line.length)) return;
    start = NextLineStart(text, line);
  }
}

int PastTheEnd(std::u16string_view text) {
  return static_cast<int>(text.size()) + 1;
}

DefinitionMarks InOnePass(std::u16string_view text, LoadedDefinition& definition,
                          std::span<const ElementLook> looks,
                          const std::function<void(int)>& progress) {
  LineTokenizer tokenizer(definition.StartState(0), looks, definition.Path());
  TakeLines(tokenizer, text, 0, PastTheEnd(text), [&](int end) {
    progress(end);
    return true;
  });
  return std::move(tokenizer.sink.marks);
}

// The second stretch of a text, from a line start to the end, tokenized on
// a thread of its own from the start state, with what a later look needs:
// where each of its lines' marks end and whether the definition was back
// in its start state after it.
class SecondStretch {
 public:
  SecondStretch(std::u16string_view text, int start, LoadedDefinition& definition,
                std::span<const ElementLook> looks)
      : text_(text),
        start_(start),
        tokenizer_(definition.StartState(1), looks, definition.Path()) {}

  void Run() {
    try {
      TakeLines(tokenizer_, text_, start_, PastTheEnd(text_), [this](int end) {
        marksEnd_.push_back(static_cast<std::uint32_t>(tokenizer_.sink.marks.size()));
        endsInStart_.push_back(tokenizer_.InStartState());
        done_.store(end - start_, std::memory_order_relaxed);
        return !stop_.load(std::memory_order_relaxed);
      });
    } catch (...) {
      error_ = std::current_exception();
    }
    finished_.store(true, std::memory_order_release);
  }

  void Stop() { stop_.store(true, std::memory_order_relaxed); }
  bool Finished() const { return finished_.load(std::memory_order_acquire); }
  int Done() const { return done_.load(std::memory_order_relaxed); }

  // After the thread has ended: its error, if any, raised here.
  void RethrowError() const {
    if (error_) std::rethrow_exception(error_);
  }
  // Whether its line `line` (0 its first) ended in the start state.
  bool EndsInStartState(std::size_t line) const { return endsInStart_[line]; }
  // Moves its marks of its lines from `line` (0 its first) on to the end of
  // `marks`, freeing them from the stretch as it goes.
  void MoveMarksFrom(std::size_t line, DefinitionMarks& marks) {
    DefinitionMarks& own = tokenizer_.sink.marks;
    for (std::uint32_t skip = line == 0 ? 0 : marksEnd_[line - 1]; skip > 0; --skip)
      own.pop_front();
    while (!own.empty()) {
      marks.push_back(own.front());
      own.pop_front();
    }
  }

 private:
  std::u16string_view text_;
  int start_;
  LineTokenizer tokenizer_;
  std::deque<std::uint32_t> marksEnd_;  // after each line, the tokenizer's count of marks
  std::vector<bool> endsInStart_;
  std::exception_ptr error_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  std::atomic<int> done_{0};
};

// Where the second stretch starts: behind the first line break from the
// middle of the text on, else behind the last one before it; 0 when the
// text is one line.
int SplitPoint(std::u16string_view text) {
  std::size_t lineBreak = text.find_first_of(u"\r\n", text.size() / 2);
  if (lineBreak == std::u16string_view::npos)
    lineBreak = text.find_last_of(u"\r\n", text.size() / 2);
  if (lineBreak == std::u16string_view::npos) return 0;
  return NextLineStart(text, TextLine{static_cast<int>(lineBreak), 0});
}

// Two stretches at once, split at a line start near the middle. The first
// is tokenized here; when it does not end in the start state, the second
// is tokenized again from the first's real state, line by line, until both
// are in the start state after the same line: from there on the second
// stretch's own marks are the ones one pass would give.
DefinitionMarks InTwoStretches(std::u16string_view text, int split, LoadedDefinition& definition,
                               std::span<const ElementLook> looks,
                               const std::function<void(int)>& progress) {
  // Both copies are built here, one after the other: the library's parser
  // is not safe on two threads at once. Each on its own allocation, so that
  // the two threads write no cache line that they share.
  const auto firstOwned =
      std::make_unique<LineTokenizer>(definition.StartState(0), looks, definition.Path());
  const auto secondOwned = std::make_unique<SecondStretch>(text, split, definition, looks);
  LineTokenizer& first = *firstOwned;
  SecondStretch& second = *secondOwned;
  std::thread thread([&second] { second.Run(); });
  // The thread ends before its stretch does, even when this one fails.
  struct Joiner {
    SecondStretch& second;
    std::thread& thread;
    void Join() {
      if (thread.joinable()) thread.join();
    }
    ~Joiner() {
      second.Stop();
      Join();
    }
  } joiner{second, thread};

  TakeLines(first, text, 0, split, [&](int end) {
    progress(end + second.Done());
    return true;
  });
  while (!second.Finished()) {
    progress(split + second.Done());
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  joiner.Join();
  second.RethrowError();

  // The lines of the second stretch that the first tokenizes again.
  std::size_t redone = 0;
  bool met = first.InStartState();
  if (!met) {
    TakeLines(first, text, split, PastTheEnd(text), [&](int) {
      met = first.InStartState() && second.EndsInStartState(redone);
      ++redone;
      return !met;
    });
  }
  DefinitionMarks marks = std::move(first.sink.marks);
  if (met) second.MoveMarksFrom(redone, marks);
  progress(static_cast<int>(text.size()));
  return marks;
}

}  // namespace

DefinitionMarks TokenizeWithDefinition(std::u16string_view text, LoadedDefinition& definition,
                                       std::span<const ElementLook> looks,
                                       const std::function<void(int)>& progress) {
  return TokenizeWithDefinition(text, definition, looks, progress, kTwoThreadsFrom);
}

DefinitionMarks TokenizeWithDefinition(std::u16string_view text, LoadedDefinition& definition,
                                       std::span<const ElementLook> looks,
                                       const std::function<void(int)>& progress,
                                       std::size_t twoThreadsFrom) {
  // Without a cache of blocks per thread, two threads are hardly faster than one.
  const int split = text.size() < twoThreadsFrom || !RegexBlocksPerThread() ? 0 : SplitPoint(text);
  if (split == 0) return InOnePass(text, definition, looks, progress);
  return InTwoStretches(text, split, definition, looks, progress);
}

}  // namespace markwell
