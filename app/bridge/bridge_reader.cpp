#include "bridge_reader.h"

#include <QTextBlock>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <unordered_map>

#include "bridge_formats.h"
#include "line_blocks.h"

namespace markwell::bridge {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

std::u16string_view View(const QString& text, qsizetype from, qsizetype length) {
  return {reinterpret_cast<const char16_t*>(text.constData()) + from,
          static_cast<std::size_t>(length)};
}

class Reader {
 public:
  Reader(const QTextDocument& document, int qtBegin)
      : defaultFont_(document.defaultFont()), formats_(document.allFormats()) {
    snapshot_.positions = PositionMap(qtBegin);
  }

  // Text of one fragment, whose soft line breaks become CR LF.
  void AddText(const QString& text, qsizetype from, qsizetype length, int qtPos, int formatIndex) {
    const auto index = EngineIndex(formatIndex);
    qsizetype start = from;
    const qsizetype end = from + length;
    for (qsizetype i = from; i < end; ++i) {
      if (text.at(i).unicode() != blocks::kLineSeparator) continue;
      Append(View(text, start, i - start), index, formatIndex);
      AddBreakChar(qtPos + static_cast<int>(i - from), formatIndex);
      start = i + 1;
    }
    Append(View(text, start, end - start), index, formatIndex);
  }

  // A block end: a line break, or a join, which is no character.
  void AddBlockEnd(int qtPos, int formatIndex) {
    if (IsJoin(formatIndex)) {
      snapshot_.positions.AddJoin(qtPos);
    } else {
      AddBreakChar(qtPos, formatIndex);
    }
  }

  void AddBreakChar(int qtPos, int formatIndex) {
    snapshot_.positions.AddBreak(qtPos);
    Append(kCrLf, EngineIndex(formatIndex), formatIndex);
  }

  Snapshot Take() { return std::move(snapshot_); }

 private:
  FormatTable::Index EngineIndex(int formatIndex) {
    auto found = indices_.find(formatIndex);
    if (found != indices_.end()) return found->second;
    const CharFormat format =
        ToCharFormat(formats_.value(formatIndex).toCharFormat(), defaultFont_);
    const auto index = snapshot_.content.Table().Intern(format);
    indices_.emplace(formatIndex, index);
    return index;
  }

  bool IsJoin(int formatIndex) {
    if (joins_.empty()) joins_.resize(static_cast<std::size_t>(formats_.size()), kUnknown);
    if (formatIndex < 0 || formatIndex >= formats_.size()) return false;
    auto& known = joins_[static_cast<std::size_t>(formatIndex)];
    if (known == kUnknown) known = blocks::IsJoinFormat(formats_.value(formatIndex)) ? kYes : kNo;
    return known == kYes;
  }

  void Append(std::u16string_view text, FormatTable::Index index, int formatIndex) {
    if (text.empty()) return;
    if (snapshot_.qtFormats.empty() || snapshot_.qtFormats.back().formatIndex != formatIndex) {
      snapshot_.qtFormats.push_back({snapshot_.content.Length(), formatIndex});
    }
    snapshot_.content.Append(text, index);
  }

  QFont defaultFont_;
  QList<QTextFormat> formats_;
  std::unordered_map<int, FormatTable::Index> indices_;
  enum Known : std::int8_t { kUnknown, kYes, kNo };
  std::vector<Known> joins_;  // per widget format: a join's?
  Snapshot snapshot_;
};

}  // namespace

void PositionMap::Add(int qtPos, int width) {
  const int offset = qtPos - qtBegin_;
  // Marks come in order: the new one lies behind the last.
  const int engine =
      marks_.empty() ? offset
                     : marks_.back().engine + marks_.back().width + (offset - marks_.back().qt - 1);
  marks_.push_back({offset, engine, width});
}

void PositionMap::AddJoin(int qtPos) {
  Add(qtPos, 0);
  joins_.push_back(qtPos);
}

int PositionMap::ToEngine(int qtPos) const {
  const int offset = qtPos - qtBegin_;
  // The last mark before the position; every other character is one to one.
  const auto after = std::partition_point(marks_.begin(), marks_.end(),
                                          [offset](const Mark& m) { return m.qt < offset; });
  if (after == marks_.begin()) return offset;
  const Mark& mark = *(after - 1);
  return mark.engine + mark.width + (offset - mark.qt - 1);
}

int PositionMap::ToQt(int enginePos) const {
  // The last mark that ends at or before the position.
  const auto after = std::partition_point(marks_.begin(), marks_.end(), [enginePos](const Mark& m) {
    return m.engine + m.width <= enginePos;
  });
  if (after == marks_.begin()) return qtBegin_ + enginePos;
  const Mark& mark = *(after - 1);
  return qtBegin_ + mark.qt + 1 + (enginePos - mark.engine - mark.width);
}

int PositionMap::NextJoin(int qtPos) const {
  const auto found = std::lower_bound(joins_.begin(), joins_.end(), qtPos);
  return found == joins_.end() ? INT_MAX : *found;
}

Snapshot ReadDocument(const QTextDocument& document, int qtBegin, int qtEnd) {
  Reader reader(document, qtBegin);
  QTextBlock block = document.findBlock(qtBegin);
  // Positions are counted here: asking the blocks and fragments for theirs
  // walks the document's trees every time.
  int blockStart = block.isValid() ? block.position() : 0;
  while (block.isValid() && blockStart < qtEnd) {
    int fragmentStart = blockStart;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const int length = fragment.length();
      const int from = std::max(fragmentStart, qtBegin);
      const int to = std::min(fragmentStart + length, qtEnd);
      if (from < to) {
        reader.AddText(fragment.text(), from - fragmentStart, to - from, from,
                       fragment.charFormatIndex());
      }
      fragmentStart += length;
    }
    const int end = blockStart + block.length() - 1;
    const QTextBlock next = block.next();
    // The block end carries the format that the next block reports as its own.
    if (end >= qtBegin && end < qtEnd && next.isValid()) {
      reader.AddBlockEnd(end, next.charFormatIndex());
    }
    blockStart = end + 1;
    block = next;
  }
  return reader.Take();
}

Snapshot ReadDocument(const QTextDocument& document) {
  return ReadDocument(document, 0, document.characterCount() - 1);
}

}  // namespace markwell::bridge
