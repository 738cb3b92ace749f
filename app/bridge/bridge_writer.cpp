#include "bridge_writer.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "bridge_formats.h"

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

void InsertContent(QTextCursor& cursor, const DocumentContent& content) {
  const std::u16string& text = content.Text();
  // Each widget format made once: a run is often a single token.
  const FormatTable& table = content.Table();
  std::vector<QTextCharFormat> formats;
  formats.reserve(table.Size());
  for (std::size_t i = 0; i < table.Size(); ++i) {
    formats.push_back(ToQtFormat(table.Get(static_cast<FormatTable::Index>(i))));
  }
  bool skipLf = false;  // the LF of a CR LF that a run boundary split
  content.ForEachRun(0, content.Length(), [&](int start, int runLength, const CharFormat&) {
    QString piece;
    piece.reserve(runLength);
    const auto end = static_cast<std::size_t>(start + runLength);
    for (auto i = static_cast<std::size_t>(start); i < end; ++i) {
      const char16_t c = text[i];
      if (skipLf) {
        skipLf = false;
        if (c == u'\n') continue;
      }
      if (c == u'\r') {
        piece.append(kBlockEnd);
        skipLf = true;
      } else if (c == u'\n') {
        piece.append(kBlockEnd);
      } else if (c == kFrameStart || c == kFrameEnd) {
        piece.append(QChar(kReplacement));
      } else {
        piece.append(QChar(c));
      }
    }
    if (!piece.isEmpty()) {
      cursor.insertText(piece, formats[content.Indices()[static_cast<std::size_t>(start)]]);
    }
  });
}

}  // namespace markwell::bridge
