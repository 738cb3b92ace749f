#include "definitions/definition_tokenizer.h"

#include <srchilite/formatter.h>
#include <srchilite/formattermanager.h>
#include <srchilite/formatterparams.h>
#include <srchilite/sourcehighlighter.h>
#include <atomic>
#include <boost/make_shared.hpp>
#include <chrono>
#include <exception>
#include <thread>

#include "definitions/line_pieces.h"
#include "definitions/loaded_definition.h"
#include "files/engine_error.h"

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

  std::vector<DefinitionMark> marks;

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
    const std::size_t first = i;
    char32_t cp = piece[i++];
    if (cp >= 0xD800 && cp <= 0xDBFF && i < piece.size() && piece[i] >= 0xDC00 &&
        piece[i] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (piece[i++] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    char encoded[4];
    std::size_t length = 0;
    if (cp < 0x80) {
      encoded[length++] = static_cast<char>(cp);
    } else if (cp < 0x800) {
      encoded[length++] = static_cast<char>(0xC0 | (cp >> 6));
      encoded[length++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      encoded[length++] = static_cast<char>(0xE0 | (cp >> 12));
      encoded[length++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      encoded[length++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      encoded[length++] = static_cast<char>(0xF0 | (cp >> 18));
      encoded[length++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      encoded[length++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      encoded[length++] = static_cast<char>(0x80 | (cp & 0x3F));
    }
    bytes.append(encoded, length);
    unitOfByte.insert(unitOfByte.end(), length, static_cast<int>(first));
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

int EndOf(TextLine line) {
  return line.start + line.length;
}

std::vector<DefinitionMark> InOnePass(std::u16string_view text, const std::vector<TextLine>& lines,
                                      LoadedDefinition& definition,
                                      std::span<const ElementLook> looks,
                                      const std::function<void(int)>& progress) {
  LineTokenizer tokenizer(definition.StartState(0), looks, definition.Path());
  for (const TextLine& line : lines) {
    tokenizer.Take(text, line);
    progress(EndOf(line));
  }
  return std::move(tokenizer.sink.marks);
}

// The second stretch of a text, tokenized on a thread of its own from the
// start state, with what a later look needs: where each line's marks begin
// and whether the definition was back in its start state after it.
class SecondStretch {
 public:
  SecondStretch(std::u16string_view text, const std::vector<TextLine>& lines, std::size_t first,
                LoadedDefinition& definition, std::span<const ElementLook> looks)
      : text_(text),
        lines_(lines),
        first_(first),
        tokenizer_(definition.StartState(1), looks, definition.Path()) {
    markBegin_.reserve(lines.size() - first);
    endsInStart_.reserve(lines.size() - first);
  }

  void Run() {
    try {
      for (std::size_t j = first_; j < lines_.size() && !stop_.load(std::memory_order_relaxed);
           ++j) {
        markBegin_.push_back(tokenizer_.sink.marks.size());
        tokenizer_.Take(text_, lines_[j]);
        endsInStart_.push_back(tokenizer_.InStartState());
        done_.store(EndOf(lines_[j]) - lines_[first_].start, std::memory_order_relaxed);
      }
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
  bool EndsInStartState(std::size_t line) const { return endsInStart_[line - first_]; }
  // Its marks from line `line` on.
  void AppendMarksFrom(std::size_t line, std::vector<DefinitionMark>& marks) const {
    if (line >= lines_.size()) return;
    const auto& own = tokenizer_.sink.marks;
    marks.insert(marks.end(), own.begin() + static_cast<std::ptrdiff_t>(markBegin_[line - first_]),
                 own.end());
  }

 private:
  std::u16string_view text_;
  const std::vector<TextLine>& lines_;
  std::size_t first_;
  LineTokenizer tokenizer_;
  std::vector<std::size_t> markBegin_;
  std::vector<bool> endsInStart_;
  std::exception_ptr error_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  std::atomic<int> done_{0};
};

// Two stretches at once, split by size at a line start. The first is
// tokenized here; when it does not end in the start state, the second is
// tokenized again from the first's real state, line by line, until both
// are in the start state after the same line: from there on the second
// stretch's own marks are the ones one pass would give.
std::vector<DefinitionMark> InTwoStretches(std::u16string_view text,
                                           const std::vector<TextLine>& lines,
                                           LoadedDefinition& definition,
                                           std::span<const ElementLook> looks,
                                           const std::function<void(int)>& progress) {
  std::size_t split = 1;
  while (split + 1 < lines.size() &&
         static_cast<std::size_t>(lines[split].start) < text.size() / 2) {
    ++split;
  }
  // Both copies are built here, one after the other: the library's parser
  // is not safe on two threads at once.
  LineTokenizer first(definition.StartState(0), looks, definition.Path());
  SecondStretch second(text, lines, split, definition, looks);
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

  for (std::size_t j = 0; j < split; ++j) {
    first.Take(text, lines[j]);
    progress(EndOf(lines[j]) + second.Done());
  }
  while (!second.Finished()) {
    progress(EndOf(lines[split - 1]) + second.Done());
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  joiner.Join();
  second.RethrowError();

  std::size_t resume = split;
  if (!first.InStartState()) {
    while (resume < lines.size()) {
      first.Take(text, lines[resume]);
      const bool met = first.InStartState() && second.EndsInStartState(resume);
      ++resume;
      if (met) break;
    }
  }
  std::vector<DefinitionMark> marks = std::move(first.sink.marks);
  second.AppendMarksFrom(resume, marks);
  progress(static_cast<int>(text.size()));
  return marks;
}

}  // namespace

std::vector<DefinitionMark> TokenizeWithDefinition(std::u16string_view text,
                                                   LoadedDefinition& definition,
                                                   std::span<const ElementLook> looks,
                                                   const std::function<void(int)>& progress) {
  return TokenizeWithDefinition(text, definition, looks, progress, kTwoThreadsFrom);
}

std::vector<DefinitionMark> TokenizeWithDefinition(std::u16string_view text,
                                                   LoadedDefinition& definition,
                                                   std::span<const ElementLook> looks,
                                                   const std::function<void(int)>& progress,
                                                   std::size_t twoThreadsFrom) {
  const std::vector<TextLine> lines = SplitLines(text);
  if (text.size() < twoThreadsFrom || lines.size() < 2) {
    return InOnePass(text, lines, definition, looks, progress);
  }
  return InTwoStretches(text, lines, definition, looks, progress);
}

}  // namespace markwell
