#include "rtf/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rtf/rtf_control_words.h"
#include "rtf/rtf_tables.h"
#include "rtf/rtf_text_sink.h"
#include "rtf/rtf_tokenizer.h"
#include "text/code_page.h"
#include "text/utf8.h"

namespace markwell {

namespace {

using namespace rtf;

// Half points to whole points, rounded down.
int PointsOfHalfPoints(std::int64_t halfPoints) {
  std::int64_t points = halfPoints / 2;
  if (halfPoints < 0 && halfPoints % 2 != 0) --points;
  return ClampToInt(points);
}

// The UTF-16 units of a \uN parameter: negative values are the signed
// spelling of units from 0x8000 up; a few writers give a code point beyond
// the Basic Multilingual Plane in one \u.
std::u16string UnitsOf(std::int64_t value) {
  if (value < 0 && value >= -32768) value += 65536;
  if (value >= 0 && value <= 0xFFFF) return std::u16string(1, static_cast<char16_t>(value));
  if (value > 0xFFFF && value <= 0x10FFFF) {
    char16_t units[2];
    return std::u16string(units, PutUtf16(static_cast<char32_t>(value), units));
  }
  return u"\uFFFD";
}

enum class Destination : std::uint8_t { Text, FontTable, ColorTable, Skip };

constexpr int kRtfDefaultSize = 12;  // \fs24

// What a group changes and its end restores. Small and without heap
// members: it is copied at every "{".
struct GroupState {
  FormatKey format;
  Destination destination = Destination::Text;
  bool hidden = false;
  int unicodeSkip = 1;  // \ucN
};

GroupState InitialState(const CharFormat& defaultFormat) {
  GroupState state;
  state.format.style = defaultFormat.style.Bits();
  // RTF's own default size holds until the first \fs, as in word processors.
  state.format.size = kRtfDefaultSize;
  state.format.color = defaultFormat.color;
  return state;
}

class RtfReader {
 public:
  RtfReader(std::string_view bytes, const CharFormat& defaultFormat)
      : bytes_(bytes),
        state_(InitialState(defaultFormat)),
        text_(bytes.size(), defaultFormat, fonts_, state_.format) {}

  DocumentContent Read() {
    Tokenizer tokenizer(bytes_);
    for (;;) {
      const Token token = tokenizer.Next();
      switch (token.kind) {
        case TokenKind::End:
          return text_.Finish(bytes_.size());
        case TokenKind::GroupStart:
          skip_ = 0;
          OpenGroup();
          break;
        case TokenKind::GroupEnd:
          skip_ = 0;
          if (!CloseGroup()) return text_.Finish(bytes_.size());
          break;
        case TokenKind::Text:
          OnText(token.data);
          break;
        // The fallback of a \uN may be spelt as a control word, a symbol or
        // an escape; each counts as one character.
        case TokenKind::ControlWord:
          if (!Skipped()) OnControlWord(token.word, token.hasParam, token.param);
          break;
        case TokenKind::ControlSymbol:
          if (!Skipped()) OnControlSymbol(token.symbol);
          break;
        case TokenKind::HexByte:
          if (!Skipped()) OnByte(token.byte);
          break;
        case TokenKind::Binary:
          // Picture or object data: never text.
          Skipped();
          break;
      }
    }
  }

 private:
  // Groups deeper than this share the state of the deepest kept one; braces
  // are still counted so that the structure stays in step.
  static constexpr std::size_t kMaxDepth = 4096;
  static constexpr std::int64_t kMaxUnicodeSkip = 1 << 16;

  // True when the token is a \uN fallback character, which is dropped.
  bool Skipped() {
    if (skip_ == 0) return false;
    --skip_;
    return true;
  }

  bool InText() const { return state_.destination == Destination::Text && !state_.hidden; }

  void OpenGroup() {
    if (stack_.size() >= kMaxDepth) {
      ++excessDepth_;
      return;
    }
    stack_.push_back(state_);
  }

  // False when the outermost group has closed: the document ends there.
  bool CloseGroup() {
    if (excessDepth_ > 0) {
      --excessDepth_;
      return true;
    }
    if (state_.destination == Destination::FontTable && fonts_.Reading()) CommitFont();
    if (stack_.empty()) return false;
    state_ = stack_.back();
    stack_.pop_back();
    return !stack_.empty();
  }

  void OnText(std::string_view data) {
    if (skip_ > 0) {
      const auto skipped = std::min<std::size_t>(skip_, data.size());
      skip_ -= static_cast<std::int64_t>(skipped);
      data.remove_prefix(skipped);
    }
    if (data.empty()) return;
    switch (state_.destination) {
      case Destination::Text:
        if (!state_.hidden) text_.Bytes(data, state_.format, CurrentCodePage());
        break;
      case Destination::FontTable:
        FontNameBytes(data);
        break;
      case Destination::ColorTable:
        for (char c : data) {
          if (c == ';') colors_.EndEntry();
        }
        break;
      case Destination::Skip:
        break;
    }
  }

  void OnByte(std::uint8_t byte) {
    if (InText()) {
      text_.Decoded(DecodeCodePageByte(CurrentCodePage(), byte), state_.format);
    } else if (state_.destination == Destination::FontTable && fonts_.Reading()) {
      AddToFontName(DecodeCodePageByte(fonts_.NameCodePage(documentCodePage_), byte));
    }
  }

  void OnControlSymbol(char symbol) {
    if (symbol == '*') {
      // An ignorable destination: none of them holds text for us.
      state_.destination = Destination::Skip;
      return;
    }
    if (symbol == '\r' || symbol == '\n') {
      // A backslash before a line end of the source is a paragraph mark.
      if (InText()) text_.LineBreak(state_.format);
      return;
    }
    const char16_t ch = SymbolCharacter(symbol);
    if (ch == 0) return;
    if (InText()) {
      text_.Decoded(ch, state_.format);
    } else if (state_.destination == Destination::FontTable && fonts_.Reading()) {
      AddToFontName(ch);
    }
  }

  static char16_t SymbolCharacter(char symbol) {
    switch (symbol) {
      case '\\':
      case '{':
      case '}':
        return static_cast<char16_t>(symbol);
      case '~':
        return u'\u00A0';
      case '-':
        return u'\u00AD';
      case '_':
        return u'\u2011';
      default:
        return 0;
    }
  }

  void OnControlWord(std::string_view name, bool hasParam, std::int64_t param) {
    const WordEntry* entry = FindWord(name);
    if (entry == nullptr) return;
    const Word word = entry->word;
    if (word == Word::UnicodeSkip) {
      state_.unicodeSkip = static_cast<int>(std::clamp<std::int64_t>(param, 0, kMaxUnicodeSkip));
      return;
    }
    switch (state_.destination) {
      case Destination::Text:
        if (!DocumentWord(word, param)) TextWord(word, entry->ch, hasParam, param);
        break;
      case Destination::FontTable:
        FontTableWord(word, param);
        break;
      case Destination::ColorTable:
        if (word == Word::Red) colors_.SetRed(param);
        if (word == Word::Green) colors_.SetGreen(param);
        if (word == Word::Blue) colors_.SetBlue(param);
        break;
      case Destination::Skip:
        break;
    }
  }

  // The words of the document's header: code pages, the default font and
  // the destinations. False for any other word.
  bool DocumentWord(Word word, std::int64_t param) {
    switch (word) {
      case Word::Ansi:
        SetDocumentCodePage(1252);
        return true;
      case Word::Mac:
        SetDocumentCodePage(10000);
        return true;
      case Word::Pc:
        SetDocumentCodePage(437);
        return true;
      case Word::Pca:
        SetDocumentCodePage(850);
        return true;
      case Word::AnsiCodePage:
        if (param > 0) SetDocumentCodePage(ClampToInt(param));
        return true;
      case Word::DefaultFont:
        FontsChanged();
        fonts_.SetDefault(ClampToInt(param));
        return true;
      case Word::FontTable:
        state_.destination = Destination::FontTable;
        return true;
      case Word::ColorTable:
        state_.destination = Destination::ColorTable;
        return true;
      case Word::SkipDestination:
        state_.destination = Destination::Skip;
        return true;
      default:
        return false;
    }
  }

  // The words of the text: characters and character formats.
  void TextWord(Word word, char16_t ch, bool hasParam, std::int64_t param) {
    // A flag word without a parameter, or with a non-zero one, switches on.
    const bool on = !hasParam || param != 0;
    FormatKey& format = state_.format;
    switch (word) {
      case Word::Unicode:
        if (hasParam) {
          if (!state_.hidden) {
            for (char16_t unit : UnitsOf(param)) text_.Decoded(unit, format);
          }
          skip_ = state_.unicodeSkip;
        }
        break;
      case Word::LineBreak:
        if (!state_.hidden) text_.LineBreak(format);
        break;
      case Word::Character:
        if (!state_.hidden) text_.Decoded(ch, format);
        break;
      case Word::Bold:
        SetFlag(FontStyle::Bold, on);
        break;
      case Word::Italic:
        SetFlag(FontStyle::Italic, on);
        break;
      case Word::Underline:
        SetFlag(FontStyle::Underline, on);
        break;
      case Word::UnderlineNone:
        SetFlag(FontStyle::Underline, false);
        break;
      case Word::Strike:
        SetFlag(FontStyle::StrikeOut, on);
        break;
      case Word::Hidden:
        state_.hidden = on;
        break;
      case Word::Font:
        format.font = hasParam ? ClampToInt(param) : kNoFont;
        break;
      case Word::FontSize:
        format.size = hasParam ? PointsOfHalfPoints(param) : kRtfDefaultSize;
        break;
      case Word::TextColor:
        format.color = colors_.At(param);
        break;
      case Word::Plain:
        format = FormatKey{0, kNoFont, kRtfDefaultSize, kWindowTextColor};
        state_.hidden = false;
        break;
      default:
        break;
    }
  }

  void FontTableWord(Word word, std::int64_t param) {
    switch (word) {
      case Word::Font:
        if (fonts_.Reading()) CommitFont();
        fonts_.Start(ClampToInt(param));
        break;
      case Word::FontCharset:
        fonts_.SetCharset(ClampToInt(param));
        break;
      case Word::FontCodePage:
        fonts_.SetCodePage(ClampToInt(param));
        break;
      case Word::Unicode:
        if (fonts_.Reading()) fonts_.AddToName(UnitsOf(param));
        skip_ = state_.unicodeSkip;
        break;
      case Word::SkipDestination:
        state_.destination = Destination::Skip;
        break;
      default:
        break;
    }
  }

  void SetFlag(FontStyle flag, bool on) {
    const FontStyles styles(state_.format.style);
    state_.format.style = (on ? styles.With(flag) : styles.Without(flag)).Bits();
  }

  void AddToFontName(char16_t c) { fonts_.AddToName(std::u16string_view(&c, 1)); }

  // Font names end at ";"; an escaped ";" (\'3b) belongs to the name.
  void FontNameBytes(std::string_view data) {
    for (char c : data) {
      if (!fonts_.Reading()) continue;
      if (c == ';') {
        CommitFont();
        continue;
      }
      const auto byte = static_cast<std::uint8_t>(c);
      if (byte >= 0x20 || byte == '\t') {
        AddToFontName(DecodeCodePageByte(fonts_.NameCodePage(documentCodePage_), byte));
      }
    }
  }

  void CommitFont() {
    FontsChanged();
    fonts_.Commit();
  }

  void FontsChanged() {
    text_.FontsChanged();
    codePageFont_.reset();
  }

  void SetDocumentCodePage(int codePage) {
    documentCodePage_ = codePage;
    codePageFont_.reset();
  }

  // The code page of the current font, asked for at every run of text:
  // kept until the font, the font table or the document's code page changes.
  int CurrentCodePage() {
    if (codePageFont_ != state_.format.font) {
      const FontEntry* font = fonts_.Find(state_.format.font);
      codePage_ = font != nullptr && font->codePage != 0 ? font->codePage : documentCodePage_;
      codePageFont_ = state_.format.font;
    }
    return codePage_;
  }

  std::string_view bytes_;
  FontTable fonts_;
  ColorTable colors_;
  GroupState state_;
  TextSink text_;
  std::vector<GroupState> stack_;
  std::size_t excessDepth_ = 0;
  std::int64_t skip_ = 0;  // \uN fallback characters still to skip

  int documentCodePage_ = 1252;
  // The code page of the font whose number is codePageFont_.
  std::optional<int> codePageFont_;
  int codePage_ = 1252;
};

}  // namespace

bool LooksLikeRtf(std::string_view bytes) {
  return bytes.starts_with("{\\rtf");
}

std::optional<DocumentContent> ReadRtf(std::string_view bytes, const CharFormat& defaultFormat) {
  if (!LooksLikeRtf(bytes)) return std::nullopt;
  return RtfReader(bytes, defaultFormat).Read();
}

}  // namespace markwell
