#include "rtf_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "code_page.h"
#include "utf8.h"

namespace markwell {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// Output goes through a buffer of this size into the stream.
constexpr std::size_t kBufferSize = 1 << 16;

// Characters written as they are; everything else is escaped.
constexpr bool IsPlainAscii(char16_t c) {
  return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
}

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
  // Copies the plain characters from `text` on; returns where the first
  // other character (or `end`) stands.
  const char16_t* PutPlain(const char16_t* text, const char16_t* end) {
    for (;;) {
      char* out = buffer_.get() + used_;
      const std::size_t room = kBufferSize - used_;
      const char16_t* stop = text + std::min(room, static_cast<std::size_t>(end - text));
      while (text != stop && IsPlainAscii(*text)) *out++ = static_cast<char>(*text++);
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
    if (IsPlainAscii(c) && c != ';') {
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
  int colour = 0;  // 0: automatic
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
    for (Colour c : colours_) {
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
    const std::size_t formats = content_.Table().Size();
    fontOfFormat_.assign(formats, kUnset);
    colourOfFormat_.assign(formats, kUnset);
    std::unordered_map<std::string_view, int> fonts;
    std::unordered_map<Colour, int> colours;
    const std::u16string& text = content_.Text();
    bool afterCr = false;
    content_.ForEachRun(begin_, end_, [&](int start, int length, const CharFormat& format) {
      const auto from = static_cast<std::size_t>(start);
      const auto last = from + static_cast<std::size_t>(length) - 1;
      // A run that is only the LF of a CR LF is never written (see WriteBody).
      const bool unused = afterCr && last == from && text[from] == u'\n';
      afterCr = text[last] == u'\r';
      const auto index = content_.IndexAt(start);
      if (unused || fontOfFormat_[index] != kUnset) return;
      auto [font, newFont] =
          fonts.try_emplace(format.fontName, static_cast<int>(fontNames_.size()));
      if (newFont) fontNames_.push_back(format.fontName);
      fontOfFormat_[index] = font->second;
      if (IsAutomatic(format.color)) {
        colourOfFormat_[index] = 0;
      } else {
        const Colour rgb = NormaliseColour(format.color);
        auto [colour, newColour] = colours.try_emplace(rgb, static_cast<int>(colours_.size()) + 1);
        if (newColour) colours_.push_back(rgb);
        colourOfFormat_[index] = colour->second;
      }
    });
    // A font table needs at least one font for \deff0 to name.
    if (fontNames_.empty()) fontNames_.push_back(CharFormat{}.fontName);
  }

  // Writes the control words in which `next` differs from what was written
  // last; the first run writes them all.
  void WriteFormat(const RunFormat& next) {
    const bool all = !written_;
    if (!all && next == current_) return;
    if (all || next.font != current_.font) out_.PutWord("\\f", next.font);
    if (all || next.halfPoints != current_.halfPoints) out_.PutWord("\\fs", next.halfPoints);
    if (all || next.colour != current_.colour) out_.PutWord("\\cf", next.colour);
    const auto flag = [&](FontStyle style, std::string_view on, std::string_view off) {
      const bool want = FontStyles(next.style).Has(style);
      if (all ? want : want != FontStyles(current_.style).Has(style)) out_.Put(want ? on : off);
    };
    flag(FontStyle::Bold, "\\b", "\\b0");
    flag(FontStyle::Italic, "\\i", "\\i0");
    flag(FontStyle::Underline, "\\ul", "\\ulnone");
    flag(FontStyle::StrikeOut, "\\strike", "\\strike0");
    out_.Put(' ');
    current_ = next;
    written_ = true;
  }

  void WriteBody() {
    const std::u16string& text = content_.Text();
    bool afterCr = false;
    content_.ForEachRun(begin_, end_, [&](int start, int length, const CharFormat& format) {
      auto from = static_cast<std::size_t>(start);
      const auto to = from + static_cast<std::size_t>(length);
      // The LF of a CR LF writes nothing and reads back in the CR's format:
      // no format change for it.
      if (afterCr && text[from] == u'\n') {
        afterCr = false;
        if (++from == to) return;
      }
      const auto index = content_.IndexAt(start);
      WriteFormat(RunFormat{fontOfFormat_[index], colourOfFormat_[index],
                            static_cast<std::int64_t>(format.size) * 2, format.style.Bits()});
      for (std::size_t i = from; i < to; ++i) {
        const char16_t c = text[i];
        if (IsPlainAscii(c)) {
          // The whole stretch of plain characters in one copy.
          const char16_t* stop = out_.PutPlain(text.data() + i, text.data() + to);
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
  std::vector<Colour> colours_;  // colour table entries from 1
  std::vector<int> fontOfFormat_;
  std::vector<int> colourOfFormat_;
  RunFormat current_;
  bool written_ = false;
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
