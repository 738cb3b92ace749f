#include "rtf/rtf_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "scan/plain_ascii.h"
#include "text/code_page.h"
#include "text/utf8.h"

namespace markwell {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// Output goes through a buffer of this size into the stream.
constexpr std::size_t kBufferSize = 1 << 16;

class RtfOutput {
 public:
  explicit RtfOutput(std::ostream& out)
      : out_(out), buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize + kSlack)) {}
  ~RtfOutput() { Flush(); }
  RtfOutput(const RtfOutput&) = delete;
  RtfOutput& operator=(const RtfOutput&) = delete;

  void Put(char c) {
    buffer_[used_++] = c;
    if (used_ >= kBufferSize) Flush();
  }
  // Below kBufferSize the buffer always has kSlack bytes of room.
  void Put(std::string_view s) {
    if (s.size() > kSlack) {
      Flush();
      out_.write(s.data(), static_cast<std::streamsize>(s.size()));
      return;
    }
    std::memcpy(buffer_.get() + used_, s.data(), s.size());
    used_ += s.size();
    if (used_ >= kBufferSize) Flush();
  }
  // Up to kShort bytes in one fixed-size copy, which the compiler inlines:
  // the bytes of `s` past `size` land in the slack and are overwritten.
  static constexpr std::size_t kShort = 32;
  void PutShort(const std::array<char, kShort>& s, std::size_t size) {
    std::memcpy(buffer_.get() + used_, s.data(), kShort);
    used_ += size;
    if (used_ >= kBufferSize) Flush();
  }
  // Copies the plain characters from `text` on, up to `end`; returns where
  // the first other character (or `end`) stands. Units up to `readable` may
  // be read ahead.
  const char16_t* PutPlain(const char16_t* text, const char16_t* end, const char16_t* readable) {
    for (;;) {
      char* out = buffer_.get() + used_;
      const std::size_t room = kBufferSize - used_;
      const char16_t* stop = text + std::min(room, static_cast<std::size_t>(end - text));
      // A block at a time; the slack takes the bytes of a block that overshoot.
      while (readable - text >= static_cast<std::ptrdiff_t>(scan::kPlainBlock) && text < stop) {
        const std::size_t plain =
            std::min(scan::PackPlainPrefix(text, out), static_cast<std::size_t>(stop - text));
        out += plain;
        text += plain;
        if (plain < scan::kPlainBlock) break;
      }
      // One by one only near the end of the text, where a block cannot be read.
      if (readable - text < static_cast<std::ptrdiff_t>(scan::kPlainBlock)) {
        while (text != stop && scan::IsPlainAscii(*text)) *out++ = static_cast<char>(*text++);
      }
      used_ = static_cast<std::size_t>(out - buffer_.get());
      if (used_ < kBufferSize) return text;
      Flush();
    }
  }
  void PutNumber(std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    Put(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
  }
  // A control word with a numeric parameter, e.g. \fs20.
  void PutWord(std::string_view word, std::int64_t value) {
    Put(word);
    PutNumber(value);
  }
  void PutHex(std::uint8_t byte) {
    const char escape[] = {'\\', '\'', kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
    Put(std::string_view(escape, sizeof escape));
  }
  // \uN? for one UTF-16 unit; N is signed 16-bit and "?" is the fallback
  // that \uc1 tells readers to skip.
  void PutUnicode(char16_t unit) {
    PutWord("\\u", static_cast<std::int16_t>(unit));
    Put('?');
  }

  void Flush() {
    if (used_ == 0) return;
    out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
    used_ = 0;
  }

 private:
  static constexpr std::size_t kSlack = 256;
  std::ostream& out_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

// A character of text or of a font name that is not plain ASCII: a code page
// byte as \'hh, anything else as \uN.
void PutEscaped(RtfOutput& out, char16_t c) {
  if (const auto byte = EncodeWindows1250(c)) {
    out.PutHex(*byte);
  } else {
    out.PutUnicode(c);
  }
}

// Font names end at ";" in the font table; ";", braces, backslashes and
// everything beyond ASCII are escaped so that any name reads back as it was.
void PutFontName(RtfOutput& out, const std::string& name) {
  for (char16_t c : Utf16(name)) {
    if (scan::IsPlainAscii(c) && c != ';') {
      out.Put(static_cast<char>(c));
    } else {
      PutEscaped(out, c);
    }
  }
}

// The attributes of a run as the document writes them: table numbers
// instead of names and colours.
struct RunFormat {
  int font = 0;
  int color = 0;  // 0: automatic
  std::int64_t halfPoints = 0;
  std::uint8_t style = 0;
  bool operator==(const RunFormat&) const = default;
};

class RtfDocumentWriter {
 public:
  RtfDocumentWriter(const DocumentContent& content, int begin, int end, std::ostream& out)
      : content_(content), begin_(begin), end_(end), out_(out) {}

  void Write() {
    CollectTables();
    out_.Put("{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1\n{\\fonttbl");
    for (std::size_t i = 0; i < fontNames_.size(); ++i) {
      out_.PutWord("{\\f", static_cast<std::int64_t>(i));
      out_.Put("\\fnil\\fcharset238 ");
      PutFontName(out_, fontNames_[i]);
      out_.Put(";}");
    }
    out_.Put("}\n{\\colortbl ;");
    for (TextColor c : colors_) {
      out_.PutWord("\\red", RedOf(c));
      out_.PutWord("\\green", GreenOf(c));
      out_.PutWord("\\blue", BlueOf(c));
      out_.Put(';');
    }
    out_.Put("}\n\\pard\\plain");
    WriteBody();
    out_.Put("}\n");
    out_.Flush();
  }

 private:
  static constexpr int kUnset = -1;

  void CollectTables() {
    const FormatTable& table = content_.Table();
    const std::size_t formats = table.Size();
    fontOfFormat_.assign(formats, kUnset);
    colorOfFormat_.assign(formats, kUnset);
    runFormatOf_.assign(formats, RunFormat{});
    std::unordered_map<std::string_view, int> fonts;
    std::unordered_map<TextColor, int> colors;
    const std::u16string& text = content_.Text();
    const FormatIndexArray& indices = content_.Indices();
    // Formats are numbered in the order of their first written run. Only the
    // first run of each format needs a look: the others are skipped over.
    std::vector<std::uint8_t> met(formats, 0);
    const auto begin = static_cast<std::size_t>(begin_);
    const auto end = static_cast<std::size_t>(end_);
    for (std::size_t pos = indices.FindUnflagged(begin, end, met); pos < end;
         pos = indices.FindUnflagged(pos, end, met)) {
      const auto index = indices[pos];
      const std::size_t runEnd = indices.StretchEnd(pos, end);
      // A run that is only the LF of a CR LF is never written (see WriteBody).
      const bool unused =
          runEnd == pos + 1 && text[pos] == u'\n' && pos > begin && text[pos - 1] == u'\r';
      pos = runEnd;
      if (unused) continue;
      met[index] = 1;
      const CharFormat& format = table.Get(index);
      auto [font, newFont] =
          fonts.try_emplace(format.fontName, static_cast<int>(fontNames_.size()));
      if (newFont) fontNames_.push_back(format.fontName);
      fontOfFormat_[index] = font->second;
      if (IsAutomatic(format.color)) {
        colorOfFormat_[index] = 0;
      } else {
        const TextColor rgb = NormaliseColor(format.color);
        auto [color, newColor] = colors.try_emplace(rgb, static_cast<int>(colors_.size()) + 1);
        if (newColor) colors_.push_back(rgb);
        colorOfFormat_[index] = color->second;
      }
      runFormatOf_[index] =
          RunFormat{fontOfFormat_[index], colorOfFormat_[index],
                    static_cast<std::int64_t>(format.size) * 2, format.style.Bits()};
    }
    // A font table needs at least one font for \deff0 to name.
    if (fontNames_.empty()) fontNames_.push_back(CharFormat{}.fontName);
  }

  // The control words in which the run format of index `to` differs from
  // that of `from`; all of them when `from` is kNothingWritten.
  std::string FormatChange(FormatTable::Index from, FormatTable::Index to) const {
    std::string change;
    const RunFormat& next = runFormatOf_[to];
    const bool all = from == kNothingWritten;
    const RunFormat current = all ? RunFormat{} : runFormatOf_[from];
    if (!all && next == current) return change;
    const auto word = [&](std::string_view name, std::int64_t value) {
      change += name;
      change += std::to_string(value);
    };
    if (all || next.font != current.font) word("\\f", next.font);
    if (all || next.halfPoints != current.halfPoints) word("\\fs", next.halfPoints);
    if (all || next.color != current.color) word("\\cf", next.color);
    const auto flag = [&](FontStyle style, std::string_view on, std::string_view off) {
      const bool want = FontStyles(next.style).Has(style);
      if (all ? want : want != FontStyles(current.style).Has(style)) change += want ? on : off;
    };
    flag(FontStyle::Bold, "\\b", "\\b0");
    flag(FontStyle::Italic, "\\i", "\\i0");
    flag(FontStyle::Underline, "\\ul", "\\ulnone");
    flag(FontStyle::StrikeOut, "\\strike", "\\strike0");
    change += ' ';
    return change;
  }

  // Writes what changes from the format written last to that of `index`.
  // A document switches between a few formats, so each change is spelt once
  // and then looked up.
  void WriteFormat(FormatTable::Index index) {
    const std::uint64_t pair = (std::uint64_t{written_} << 32) | index;
    Transition& transition = transitions_[(pair * 0x9E3779B97F4A7C15ull) >> 58];
    if (transition.from != written_ || transition.to != index) {
      transition = Transition{written_, index, FormatChange(written_, index)};
    }
    transition.Write(out_);
    written_ = index;
  }

  void WriteBody() {
    const std::u16string& text = content_.Text();
    bool afterCr = false;
    content_.ForEachRun(begin_, end_, [&](int start, int length, const CharFormat&) {
      auto from = static_cast<std::size_t>(start);
      const auto to = from + static_cast<std::size_t>(length);
      // The LF of a CR LF writes nothing and reads back in the CR's format:
      // no format change for it.
      if (afterCr && text[from] == u'\n') {
        afterCr = false;
        if (++from == to) return;
      }
      WriteFormat(content_.IndexAt(start));
      for (std::size_t i = from; i < to; ++i) {
        const char16_t c = text[i];
        if (scan::IsPlainAscii(c)) {
          // The whole stretch of plain characters in one copy.
          const char16_t* stop =
              out_.PutPlain(text.data() + i, text.data() + to, text.data() + text.size());
          i = static_cast<std::size_t>(stop - text.data()) - 1;
        } else if (c == u'\r' || c == u'\n') {
          // One paragraph mark per CR LF; a lone CR or LF is a line break too.
          if (!(c == u'\n' && afterCr)) out_.Put("\\par\n");
          afterCr = c == u'\r';
          continue;
        } else if (c == u'\t') {
          out_.Put("\\tab ");
        } else if (c == '\\' || c == '{' || c == '}') {
          out_.Put('\\');
          out_.Put(static_cast<char>(c));
        } else if (c < 0x20) {
          out_.PutHex(static_cast<std::uint8_t>(c));
        } else {
          PutEscaped(out_, c);
        }
        afterCr = false;
      }
    });
  }

  const DocumentContent& content_;
  int begin_;
  int end_;
  RtfOutput out_;
  std::vector<std::string> fontNames_;
  std::vector<TextColor> colors_;  // colour table entries from 1
  std::vector<int> fontOfFormat_;
  std::vector<int> colorOfFormat_;
  std::vector<RunFormat> runFormatOf_;
  // The format index written last.
  static constexpr FormatTable::Index kNothingWritten = ~FormatTable::Index{0};
  FormatTable::Index written_ = kNothingWritten;
  // A format change as it is written; most are short enough for one fixed copy.
  struct Transition {
    Transition() = default;
    Transition(FormatTable::Index f, FormatTable::Index t, std::string change)
        : from(f), to(t), size(change.size()) {
      if (size <= RtfOutput::kShort) {
        std::copy(change.begin(), change.end(), shortBytes.begin());
      } else {
        longBytes = std::move(change);
      }
    }
    void Write(RtfOutput& out) const {
      if (size <= RtfOutput::kShort) {
        out.PutShort(shortBytes, size);
      } else {
        out.Put(longBytes);
      }
    }

    FormatTable::Index from = kNothingWritten;
    FormatTable::Index to = kNothingWritten;  // never a real index: nothing cached
    std::size_t size = 0;
    std::array<char, RtfOutput::kShort> shortBytes{};
    std::string longBytes;
  };
  std::array<Transition, 64> transitions_;  // by the top six bits of a hash
};

}  // namespace

void WriteRtf(const DocumentContent& content, int begin, int end, std::ostream& out) {
  begin = std::clamp(begin, 0, content.Length());
  end = std::clamp(end, begin, content.Length());
  RtfDocumentWriter(content, begin, end, out).Write();
}

void WriteRtf(const DocumentContent& content, std::ostream& out) {
  WriteRtf(content, 0, content.Length(), out);
}

std::string RtfString(const DocumentContent& content, int begin, int end) {
  std::ostringstream out;
  WriteRtf(content, begin, end, out);
  return std::move(out).str();
}

}  // namespace markwell
