#include "bridge_writer.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "bridge_formats.h"
#include "line_blocks.h"

namespace markwell::bridge {

namespace {

constexpr QChar kBlockEnd = QChar::ParagraphSeparator;
constexpr char16_t kReplacement = 0xFFFD;
// The widget keeps these for its frames; as text they would build frames.
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;

// The widget formats to write, each made once: engine format x widget format.
class FormatCache {
 public:
  FormatCache(const QTextDocument& document, const FormatTable& table)
      : formats_(document.allFormats()), table_(table) {}

  const QTextCharFormat& Get(FormatTable::Index engineIndex, int qtIndex) {
    const std::uint64_t key =
        (static_cast<std::uint64_t>(engineIndex) << 32) | static_cast<std::uint32_t>(qtIndex);
    auto found = cache_.find(key);
    if (found == cache_.end()) {
      found = cache_
                  .emplace(key, ToQtFormat(table_.Get(engineIndex),
                                           formats_.value(qtIndex).toCharFormat()))
                  .first;
    }
    return found->second;
  }

 private:
  QList<QTextFormat> formats_;
  const FormatTable& table_;
  std::unordered_map<std::uint64_t, QTextCharFormat> cache_;
};

class ChangeWriter {
 public:
  ChangeWriter(QTextDocument& document, const Snapshot& snapshot, const FormatTable& table)
      : cursor_(&document), snapshot_(snapshot), formats_(document, table) {}

  ~ChangeWriter() {
    if (open_) cursor_.endEditBlock();
  }

  // Engine stretch [begin, end) takes the format `index`, split where the
  // widget's own formats change.
  void Write(int begin, int end, FormatTable::Index index) {
    const auto& pieces = snapshot_.qtFormats;
    while (piece_ + 1 < pieces.size() && pieces[piece_ + 1].engineStart <= begin) ++piece_;
    int from = begin;
    while (from < end) {
      const int pieceEnd = piece_ + 1 < pieces.size() ? pieces[piece_ + 1].engineStart : end;
      const int to = std::min(end, pieceEnd);
      SetFormat(from, to, formats_.Get(index, pieces[piece_].formatIndex));
      from = to;
      if (from == pieceEnd && piece_ + 1 < pieces.size()) ++piece_;
    }
  }

  bool Wrote() const { return open_; }

 private:
  void SetFormat(int engineBegin, int engineEnd, const QTextCharFormat& format) {
    const int qtBegin = snapshot_.positions.ToQt(engineBegin);
    const int qtEnd = snapshot_.positions.ToQt(engineEnd);
    // Only the LF of a break: its CR carries the break's format.
    if (qtBegin >= qtEnd) return;
    if (!open_) {
      cursor_.beginEditBlock();
      open_ = true;
    }
    // A join keeps its own format: it is no character of the text.
    int from = qtBegin;
    for (int join = snapshot_.positions.NextJoin(from); join < qtEnd;
         join = snapshot_.positions.NextJoin(from)) {
      Set(from, join, format);
      from = join + 1;
    }
    Set(from, qtEnd, format);
  }

  void Set(int qtBegin, int qtEnd, const QTextCharFormat& format) {
    if (qtBegin >= qtEnd) return;
    cursor_.setPosition(qtBegin);
    cursor_.setPosition(qtEnd, QTextCursor::KeepAnchor);
    cursor_.setCharFormat(format);
  }

  QTextCursor cursor_;
  const Snapshot& snapshot_;
  FormatCache formats_;
  std::size_t piece_ = 0;
  bool open_ = false;
};

}  // namespace

bool WriteChangedFormats(QTextDocument& document, const Snapshot& snapshot,
                         const FormatIndexArray& before, const DocumentContent& after) {
  ChangeWriter writer(document, snapshot, after.Table());
  const FormatIndexArray& now = after.Indices();
  const std::size_t length = now.Size();
  std::size_t pos = 0;
  while (pos < length) {
    if (before[pos] == now[pos]) {
      ++pos;
      continue;
    }
    const auto index = now[pos];
    std::size_t end = pos + 1;
    while (end < length && now[end] == index && before[end] != index) ++end;
    writer.Write(static_cast<int>(pos), static_cast<int>(end), index);
    pos = end;
  }
  return writer.Wrote();
}

namespace {

// Fills the widget through one cursor, a run of one format at a time, with
// the engine's line breaks as line separators or block ends and long lines
// cut by joins.
class ContentInserter {
 public:
  ContentInserter(QTextCursor& cursor, const FormatTable& table)
      : cursor_(cursor), blockFormat_(cursor.blockFormat()) {
    // Each widget format made once: a run is often a single token.
    formats_.reserve(table.Size());
    for (std::size_t i = 0; i < table.Size(); ++i) {
      formats_.push_back(ToQtFormat(table.Get(static_cast<FormatTable::Index>(i))));
    }
    // Text inserted into a line continues it, and its block.
    const QTextBlock block = cursor.block();
    blockLength_ = cursor.position() - block.position();
    const int lineStart =
        block.text().lastIndexOf(QChar(blocks::kLineSeparator), blockLength_ - 1) + 1;
    column_ = blockLength_ - lineStart;
  }

  void Run(std::u16string_view text, FormatTable::Index index) {
    const QTextCharFormat& format = formats_[index];
    piece_.reserve(static_cast<qsizetype>(text.size()));
    for (const char16_t c : text) {
      if (skipLf_) {
        skipLf_ = false;
        if (c == u'\n') continue;
      }
      if (c == u'\r' || c == u'\n') {
        skipLf_ = c == u'\r';
        column_ = 0;
        joinDue_ = false;
        if (blockLength_ < blocks::kFullBlock) {
          piece_.append(QChar(blocks::kLineSeparator));
          ++blockLength_;
        } else {
          piece_.append(kBlockEnd);
          blockLength_ = 0;
        }
        continue;
      }
      // The join goes in before the next character, so that none ends the text.
      if (joinDue_) {
        Flush(format);
        cursor_.insertBlock(blockFormat_, joinFormat_);
        column_ = 0;
        blockLength_ = 0;
        joinDue_ = false;
      }
      piece_.append(c == kFrameStart || c == kFrameEnd ? QChar(kReplacement) : QChar(c));
      ++column_;
      ++blockLength_;
      if (column_ >= blocks::kLongestUnbrokenBlock ||
          (column_ >= blocks::kLongestBlock && (c == u' ' || c == u'\t'))) {
        joinDue_ = true;
        joinFormat_ = blocks::AsJoinFormat(format);
      }
    }
    Flush(format);
  }

 private:
  void Flush(const QTextCharFormat& format) {
    if (piece_.isEmpty()) return;
    cursor_.insertText(piece_, format);
    piece_.clear();
  }

  QTextCursor& cursor_;
  const QTextBlockFormat blockFormat_;
  std::vector<QTextCharFormat> formats_;
  QString piece_;
  int column_ = 0;       // characters since the line's start or its last join
  int blockLength_ = 0;  // characters since the block's start
  bool joinDue_ = false;
  QTextCharFormat joinFormat_;
  bool skipLf_ = false;  // the LF of a CR LF that a run boundary split
};

}  // namespace

void InsertContent(QTextCursor& cursor, const DocumentContent& content) {
  ContentInserter inserter(cursor, content.Table());
  const std::u16string_view text = content.Text();
  content.ForEachRun(0, content.Length(), [&](int start, int runLength, const CharFormat&) {
    inserter.Run(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(runLength)),
                 content.Indices()[static_cast<std::size_t>(start)]);
  });
}

}  // namespace markwell::bridge
