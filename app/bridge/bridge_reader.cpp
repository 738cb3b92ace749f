#include "bridge_reader.h"

#include <QTextBlock>
#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "bridge_formats.h"

namespace markwell::bridge {

namespace {

constexpr char16_t kLineSeparator = 0x2028;
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
      if (text.at(i).unicode() != kLineSeparator) continue;
      Append(View(text, start, i - start), index, formatIndex);
      AddBreakChar(qtPos + static_cast<int>(i - from), formatIndex);
      start = i + 1;
    }
    Append(View(text, start, end - start), index, formatIndex);
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
  Snapshot snapshot_;
};

}  // namespace

int PositionMap::ToEngine(int qtPos) const {
  const int offset = qtPos - qtBegin_;
  const auto before = std::lower_bound(qtBreaks_.begin(), qtBreaks_.end(), offset);
  return offset + static_cast<int>(before - qtBreaks_.begin());
}

int PositionMap::ToQt(int enginePos) const {
  // Break k has its CR at engine offset qtBreaks_[k] + k; count the breaks
  // that end at or before enginePos.
  std::vector<int>::size_type low = 0;
  std::vector<int>::size_type high = qtBreaks_.size();
  while (low < high) {
    const auto middle = std::midpoint(low, high);
    if (qtBreaks_[middle] + static_cast<int>(middle) + 2 <= enginePos) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return qtBegin_ + enginePos - static_cast<int>(low);
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
      reader.AddBreakChar(end, next.charFormatIndex());
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
