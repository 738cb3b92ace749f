// Where the RTF reader's text goes: characters gather in a chunk of one
// format, which goes into the document content when it is full or the
// format changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "document/char_format.h"
#include "document/document_content.h"
#include "rtf/rtf_tables.h"

namespace markwell::rtf {

// The character format that the text of a group takes.
struct FormatKey {
  std::uint8_t style = 0;
  int font = kNoFont;
  int size = 0;
  TextColor color = kWindowTextColor;
  bool operator==(const FormatKey&) const = default;
};

class TextSink {
 public:
  // `expectedUnits`: room to reserve; `fonts` name the formats' fonts.
  TextSink(std::size_t expectedUnits, const CharFormat& defaultFormat, const FontTable& fonts,
           const FormatKey& format);

  // Text bytes of a group: printable ASCII and tab as they are, raw bytes
  // from 0x80 on in `codePage`, other control bytes dropped.
  void Bytes(std::string_view data, const FormatKey& format, int codePage);
  // One character from an escape, a \u or a symbol word. A CR or LF that
  // arrives this way is a line break too (CR LF spelt as two escapes is one),
  // so that the text only ever holds CR LF pairs.
  void Decoded(char16_t c, const FormatKey& format);
  void LineBreak(const FormatKey& format);

  // Text so far keeps the fonts it was read in; formats resolved from here
  // on see the change.
  void FontsChanged();

  // The content; `inputSize` bytes were read.
  DocumentContent Finish(std::size_t inputSize);

 private:
  static constexpr std::size_t kChunk = 16384;

  struct FormatKeyHash {
    std::size_t operator()(const FormatKey& k) const;
  };

  void Use(const FormatKey& format);
  void Flush();
  void Put(char16_t c);
  DocumentContent::Index IndexOf(const FormatKey& key);

  const CharFormat& default_;
  const FontTable& fonts_;
  DocumentContent content_;
  std::unordered_map<FormatKey, DocumentContent::Index, FormatKeyHash> indices_;
  std::unique_ptr<char16_t[]> chunk_;
  std::size_t chunkLength_ = 0;
  FormatKey chunkFormat_;
  bool escapedCr_ = false;
};

}  // namespace markwell::rtf
