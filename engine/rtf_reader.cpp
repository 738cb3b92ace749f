#include "rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "code_page.h"
#include "rtf_tokenizer.h"
#include "utf8.h"

namespace markwell {

namespace {

using rtf::Token;
using rtf::TokenKind;

// What the control words mean to this reader.
enum class Word : std::uint8_t {
  Unknown,
  Ansi,
  Mac,
  Pc,
  Pca,
  AnsiCodePage,
  DefaultFont,
  FontTable,
  ColourTable,
  Font,
  FontCharset,
  FontCodePage,
  Red,
  Green,
  Blue,
  Unicode,
  UnicodeSkip,
  LineBreak,  // \par, \line, \row, \sect, \page
  Character,  // \tab, \emdash, ...: the character in `ch`
  Bold,
  Italic,
  Underline,
  UnderlineNone,
  Strike,
  Hidden,
  Colour,
  FontSize,
  Plain,
  SkipDestination,  // a group of no text: \info, \pict, \stylesheet, ...
};

struct WordEntry {
  std::string_view name;
  Word word;
  char16_t ch = 0;
};

constexpr WordEntry kWords[] = {
    {"ansi", Word::Ansi},
    {"mac", Word::Mac},
    {"pc", Word::Pc},
    {"pca", Word::Pca},
    {"ansicpg", Word::AnsiCodePage},
    {"deff", Word::DefaultFont},
    {"fonttbl", Word::FontTable},
    {"colortbl", Word::ColourTable},
    {"f", Word::Font},
    {"fcharset", Word::FontCharset},
    {"cpg", Word::FontCodePage},
    {"red", Word::Red},
    {"green", Word::Green},
    {"blue", Word::Blue},
    {"u", Word::Unicode},
    {"uc", Word::UnicodeSkip},
    {"par", Word::LineBreak},
    {"line", Word::LineBreak},
    {"row", Word::LineBreak},
    {"nestrow", Word::LineBreak},
    {"sect", Word::LineBreak},
    {"page", Word::LineBreak},
    {"tab", Word::Character, u'\t'},
    {"cell", Word::Character, u'\t'},
    {"nestcell", Word::Character, u'\t'},
    {"emdash", Word::Character, u'\u2014'},
    {"endash", Word::Character, u'\u2013'},
    {"emspace", Word::Character, u'\u2003'},
    {"enspace", Word::Character, u'\u2002'},
    {"qmspace", Word::Character, u'\u2005'},
    {"bullet", Word::Character, u'\u2022'},
    {"lquote", Word::Character, u'\u2018'},
    {"rquote", Word::Character, u'\u2019'},
    {"ldblquote", Word::Character, u'\u201C'},
    {"rdblquote", Word::Character, u'\u201D'},
    {"zwj", Word::Character, u'\u200D'},
    {"zwnj", Word::Character, u'\u200C'},
    {"zwbo", Word::Character, u'\u200B'},
    {"ltrmark", Word::Character, u'\u200E'},
    {"rtlmark", Word::Character, u'\u200F'},
    {"b", Word::Bold},
    {"i", Word::Italic},
    {"ul", Word::Underline},
    {"uld", Word::Underline},
    {"uldash", Word::Underline},
    {"uldashd", Word::Underline},
    {"uldashdd", Word::Underline},
    {"uldb", Word::Underline},
    {"ulhwave", Word::Underline},
    {"ulldash", Word::Underline},
    {"ulth", Word::Underline},
    {"ulthd", Word::Underline},
    {"ulthdash", Word::Underline},
    {"ulthdashd", Word::Underline},
    {"ulthdashdd", Word::Underline},
    {"ulthldash", Word::Underline},
    {"ululdbwave", Word::Underline},
    {"ulw", Word::Underline},
    {"ulwave", Word::Underline},
    {"ulnone", Word::UnderlineNone},
    {"strike", Word::Strike},
    {"striked", Word::Strike},
    {"v", Word::Hidden},
    {"cf", Word::Colour},
    {"fs", Word::FontSize},
    {"plain", Word::Plain},
    // Destinations whose content is not document text.
    {"info", Word::SkipDestination},
    {"stylesheet", Word::SkipDestination},
    {"pict", Word::SkipDestination},
    {"nonshppict", Word::SkipDestination},
    {"shp", Word::SkipDestination},
    {"shpinst", Word::SkipDestination},
    {"shprslt", Word::SkipDestination},
    {"do", Word::SkipDestination},
    {"object", Word::SkipDestination},
    {"objdata", Word::SkipDestination},
    {"header", Word::SkipDestination},
    {"headerl", Word::SkipDestination},
    {"headerr", Word::SkipDestination},
    {"headerf", Word::SkipDestination},
    {"footer", Word::SkipDestination},
    {"footerl", Word::SkipDestination},
    {"footerr", Word::SkipDestination},
    {"footerf", Word::SkipDestination},
    {"footnote", Word::SkipDestination},
    {"annotation", Word::SkipDestination},
    {"atnid", Word::SkipDestination},
    {"atnauthor", Word::SkipDestination},
    {"fldinst", Word::SkipDestination},
    {"themedata", Word::SkipDestination},
    {"colorschememapping", Word::SkipDestination},
    {"latentstyles", Word::SkipDestination},
    {"datastore", Word::SkipDestination},
    {"xmlnstbl", Word::SkipDestination},
    {"listtable", Word::SkipDestination},
    {"listoverridetable", Word::SkipDestination},
    {"rsidtbl", Word::SkipDestination},
    {"revtbl", Word::SkipDestination},
    {"filetbl", Word::SkipDestination},
    {"pgdsctbl", Word::SkipDestination},
    {"generator", Word::SkipDestination},
    {"mmathPr", Word::SkipDestination},
    {"docvar", Word::SkipDestination},
    {"bkmkstart", Word::SkipDestination},
    {"bkmkend", Word::SkipDestination},
    {"xe", Word::SkipDestination},
    {"tc", Word::SkipDestination},
    {"txe", Word::SkipDestination},
    {"template", Word::SkipDestination},
    {"ftnsep", Word::SkipDestination},
    {"ftnsepc", Word::SkipDestination},
    {"ftncn", Word::SkipDestination},
    {"aftnsep", Word::SkipDestination},
    {"aftnsepc", Word::SkipDestination},
    {"aftncn", Word::SkipDestination},
    {"pn", Word::SkipDestination},
    {"pntxta", Word::SkipDestination},
    {"pntxtb", Word::SkipDestination},
    {"userprops", Word::SkipDestination},
    {"panose", Word::SkipDestination},
    {"falt", Word::SkipDestination},
    {"fname", Word::SkipDestination},
    {"ud", Word::SkipDestination},
};

constexpr std::uint32_t HashWord(std::string_view word) {
  std::uint32_t h = 2166136261u;
  for (char c : word) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h;
}

// An open-addressing table of kWords, built at compile time.
constexpr std::size_t kWordSlots = 512;
static_assert(std::size(kWords) < kWordSlots / 2);
constexpr auto kWordTable = [] {
  std::array<std::int16_t, kWordSlots> slots{};
  for (auto& slot : slots) slot = -1;
  for (std::size_t i = 0; i < std::size(kWords); ++i) {
    std::size_t h = HashWord(kWords[i].name) & (kWordSlots - 1);
    while (slots[h] >= 0) h = (h + 1) & (kWordSlots - 1);
    slots[h] = static_cast<std::int16_t>(i);
  }
  return slots;
}();

const WordEntry* FindWord(std::string_view word) {
  if (word.size() > 32) return nullptr;
  std::size_t h = HashWord(word) & (kWordSlots - 1);
  while (kWordTable[h] >= 0) {
    const WordEntry& entry = kWords[kWordTable[h]];
    if (entry.name == word) return &entry;
    h = (h + 1) & (kWordSlots - 1);
  }
  return nullptr;
}

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// Half points to whole points, rounded down.
int PointsOfHalfPoints(std::int64_t halfPoints) {
  std::int64_t points = halfPoints / 2;
  if (halfPoints < 0 && halfPoints % 2 != 0) --points;
  return ClampToInt(points);
}

enum class Destination : std::uint8_t { Text, FontTable, ColourTable, Skip };

constexpr int kNoFont = std::numeric_limits<int>::min();  // the \deff font
constexpr int kRtfDefaultSize = 12;                       // \fs24
// A font without \fcharset reads in the document's code page.
constexpr int kNoCharset = -1;

// The character format that the text of a group takes.
struct FormatKey {
  std::uint8_t style = 0;
  int font = kNoFont;
  int size = 0;
  Colour colour = kWindowTextColour;
  bool operator==(const FormatKey&) const = default;
};

struct FormatKeyHash {
  std::size_t operator()(const FormatKey& k) const {
    std::uint64_t h = k.style;
    h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.font);
    h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.size);
    h = h * 0x9E3779B97F4A7C15ull + k.colour;
    return static_cast<std::size_t>(h ^ (h >> 31));
  }
};

// What a group changes and its end restores. Small and without heap
// members: it is copied at every "{".
struct GroupState {
  FormatKey format;
  Destination destination = Destination::Text;
  bool hidden = false;
  int unicodeSkip = 1;  // \ucN
};

struct FontEntry {
  std::string name;  // UTF-8
  int codePage = 0;  // 0: the document's
};

class RtfReader {
 public:
  RtfReader(std::string_view bytes, const CharFormat& defaultFormat)
      : bytes_(bytes), default_(defaultFormat), chunk_(std::make_unique<char16_t[]>(kChunk)) {
    state_.format.style = defaultFormat.style.Bits();
    // RTF's own default size holds until the first \fs, as in word processors.
    state_.format.size = kRtfDefaultSize;
    state_.format.colour = defaultFormat.color;
    chunkFormat_ = state_.format;
    // No RTF spelling yields more UTF-16 units than it has bytes, so the text
    // never moves while it grows; what stays unused is address space only.
    // Where address space is short, the text grows as it goes instead.
    try {
      content_.Reserve(bytes.size());
    } catch (const std::bad_alloc&) {
    }
  }

  DocumentContent Read() {
    rtf::Tokenizer tokenizer(bytes_);
    for (;;) {
      const Token token = tokenizer.Next();
      switch (token.kind) {
        case TokenKind::End:
          return Finish();
        case TokenKind::GroupStart:
          skip_ = 0;
          OpenGroup();
          break;
        case TokenKind::GroupEnd:
          skip_ = 0;
          if (!CloseGroup()) return Finish();
          break;
        case TokenKind::Text:
          OnText(token.data);
          break;
        case TokenKind::ControlWord:
          // The fallback of a \uN may be spelt as a control word; it counts as one.
          if (skip_ > 0) {
            --skip_;
          } else {
            OnControlWord(token.word, token.hasParam, token.param);
          }
          break;
        case TokenKind::ControlSymbol:
          if (skip_ > 0) {
            --skip_;
          } else {
            OnControlSymbol(token.symbol);
          }
          break;
        case TokenKind::HexByte:
          if (skip_ > 0) {
            --skip_;
          } else {
            OnByte(token.byte);
          }
          break;
        case TokenKind::Binary:
          // Picture or object data: never text.
          if (skip_ > 0) --skip_;
          break;
      }
    }
  }

 private:
  // Groups deeper than this share the state of the deepest kept one; braces
  // are still counted so that the structure stays in step.
  static constexpr std::size_t kMaxDepth = 4096;
  static constexpr std::size_t kChunk = 16384;
  static constexpr std::int64_t kMaxUnicodeSkip = 1 << 16;
  static constexpr std::size_t kShrinkAbove = 1 << 20;

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
    if (state_.destination == Destination::FontTable && pendingFont_) CommitFont();
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
        if (!state_.hidden) EmitBytes(data);
        break;
      case Destination::FontTable:
        FontNameBytes(data);
        break;
      case Destination::ColourTable:
        for (char c : data) {
          if (c == ';') CommitColour();
        }
        break;
      case Destination::Skip:
        break;
    }
  }

  void OnByte(std::uint8_t byte) {
    switch (state_.destination) {
      case Destination::Text:
        if (!state_.hidden) EmitDecoded(DecodeCodePageByte(CurrentCodePage(), byte));
        break;
      case Destination::FontTable:
        if (pendingFont_) fontName_.push_back(DecodeCodePageByte(PendingFontCodePage(), byte));
        break;
      default:
        break;
    }
  }

  void OnControlSymbol(char symbol) {
    if (symbol == '*') {
      // An ignorable destination: none of them holds text for us.
      state_.destination = Destination::Skip;
      return;
    }
    char16_t ch = 0;
    switch (symbol) {
      case '\\':
      case '{':
      case '}':
        ch = static_cast<char16_t>(symbol);
        break;
      case '~':
        ch = u'\u00A0';
        break;
      case '-':
        ch = u'\u00AD';
        break;
      case '_':
        ch = u'\u2011';
        break;
      case '\r':
      case '\n':
        // A backslash before a line end of the source is a paragraph mark.
        if (state_.destination == Destination::Text && !state_.hidden) EmitLineBreak();
        return;
      default:
        return;
    }
    if (state_.destination == Destination::Text) {
      if (!state_.hidden) EmitDecoded(ch);
    } else if (state_.destination == Destination::FontTable && pendingFont_) {
      fontName_.push_back(ch);
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
        TextWord(word, entry->ch, hasParam, param);
        break;
      case Destination::FontTable:
        FontTableWord(word, param);
        break;
      case Destination::ColourTable:
        if (word == Word::Red) red_ = Component(param);
        if (word == Word::Green) green_ = Component(param);
        if (word == Word::Blue) blue_ = Component(param);
        if (word == Word::Red || word == Word::Green || word == Word::Blue) colourSet_ = true;
        break;
      case Destination::Skip:
        break;
    }
  }

  void TextWord(Word word, char16_t ch, bool hasParam, std::int64_t param) {
    // A flag word without a parameter, or with a non-zero one, switches on.
    const bool on = !hasParam || param != 0;
    FormatKey& format = state_.format;
    switch (word) {
      case Word::Ansi:
        SetDocumentCodePage(1252);
        break;
      case Word::Mac:
        SetDocumentCodePage(10000);
        break;
      case Word::Pc:
        SetDocumentCodePage(437);
        break;
      case Word::Pca:
        SetDocumentCodePage(850);
        break;
      case Word::AnsiCodePage:
        if (param > 0) SetDocumentCodePage(ClampToInt(param));
        break;
      case Word::DefaultFont:
        FontsChanged();
        defaultFont_ = ClampToInt(param);
        break;
      case Word::FontTable:
        state_.destination = Destination::FontTable;
        break;
      case Word::ColourTable:
        state_.destination = Destination::ColourTable;
        break;
      case Word::SkipDestination:
        state_.destination = Destination::Skip;
        break;
      case Word::Unicode:
        if (hasParam) {
          EmitUnicode(param);
          skip_ = state_.unicodeSkip;
        }
        break;
      case Word::LineBreak:
        if (!state_.hidden) EmitLineBreak();
        break;
      case Word::Character:
        if (!state_.hidden) EmitDecoded(ch);
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
      case Word::Colour:
        format.colour = ColourAt(param);
        break;
      case Word::Plain:
        format = FormatKey{0, kNoFont, kRtfDefaultSize, kWindowTextColour};
        state_.hidden = false;
        break;
      default:
        break;
    }
  }

  void FontTableWord(Word word, std::int64_t param) {
    switch (word) {
      case Word::Font:
        if (pendingFont_) CommitFont();
        pendingFont_ = true;
        fontNumber_ = ClampToInt(param);
        fontCharset_ = kNoCharset;
        fontCodePage_ = 0;
        fontName_.clear();
        break;
      case Word::FontCharset:
        fontCharset_ = ClampToInt(param);
        break;
      case Word::FontCodePage:
        fontCodePage_ = ClampToInt(param);
        break;
      case Word::Unicode:
        if (pendingFont_) {
          std::array<char16_t, 2> units{};
          fontName_.append(units.data(), static_cast<std::size_t>(UnitsOf(param, units)));
        }
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

  static std::uint8_t Component(std::int64_t value) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
  }

  Colour ColourAt(std::int64_t index) const {
    // \cf0 and indices past the table are the automatic colour.
    if (index < 0 || static_cast<std::uint64_t>(index) >= colours_.size()) return kWindowTextColour;
    return colours_[static_cast<std::size_t>(index)];
  }

  void CommitColour() {
    colours_.push_back(colourSet_ ? MakeRgb(red_, green_, blue_) : kWindowTextColour);
    red_ = green_ = blue_ = 0;
    colourSet_ = false;
  }

  // Font names end at ";"; an escaped ";" (\'3b) belongs to the name.
  void FontNameBytes(std::string_view data) {
    for (char c : data) {
      if (!pendingFont_) continue;
      if (c == ';') {
        CommitFont();
        continue;
      }
      const auto byte = static_cast<std::uint8_t>(c);
      if (byte >= 0x20 || byte == '\t') {
        fontName_.push_back(DecodeCodePageByte(PendingFontCodePage(), byte));
      }
    }
  }

  int PendingFontCodePage() const {
    const int codePage = fontCodePage_ > 0 ? fontCodePage_ : CodePageOfCharset(fontCharset_);
    return codePage != 0 ? codePage : documentCodePage_;
  }

  void CommitFont() {
    std::u16string name;
    name.reserve(fontName_.size());
    for (char16_t c : fontName_) {
      if (c != 0) name.push_back(c);
    }
    FontsChanged();
    const int codePage = fontCodePage_ > 0 ? fontCodePage_ : CodePageOfCharset(fontCharset_);
    fonts_[fontNumber_] = FontEntry{EncodeUtf8(name), codePage};
    pendingFont_ = false;
    fontName_.clear();
  }

  // Text so far keeps the fonts it was read in; formats resolved from here
  // on see the change.
  void FontsChanged() {
    FlushChunk();
    formatIndices_.clear();
    codePageFont_.reset();
  }

  void SetDocumentCodePage(int codePage) {
    documentCodePage_ = codePage;
    codePageFont_.reset();
  }

  const FontEntry* FontOf(int number) const {
    if (number != kNoFont) {
      if (auto it = fonts_.find(number); it != fonts_.end()) return &it->second;
    }
    if (auto it = fonts_.find(defaultFont_); it != fonts_.end()) return &it->second;
    return nullptr;
  }

  int CurrentCodePage() {
    if (codePageFont_ != state_.format.font) {
      const FontEntry* font = FontOf(state_.format.font);
      codePage_ = font != nullptr && font->codePage != 0 ? font->codePage : documentCodePage_;
      codePageFont_ = state_.format.font;
    }
    return codePage_;
  }

  // Text output: characters gather in a chunk of one format, which goes to
  // the content when it is full or the format changes.
  void UseCurrentFormat() {
    if (!(state_.format == chunkFormat_)) {
      FlushChunk();
      chunkFormat_ = state_.format;
    }
  }

  void FlushChunk() {
    if (chunkLength_ == 0) return;
    content_.Append(std::u16string_view(chunk_.get(), chunkLength_), IndexOf(chunkFormat_));
    chunkLength_ = 0;
  }

  DocumentContent::Index IndexOf(const FormatKey& key) {
    if (auto it = formatIndices_.find(key); it != formatIndices_.end()) return it->second;
    CharFormat format;
    format.style = FontStyles(key.style);
    format.color = key.colour;
    format.size = key.size;
    const FontEntry* font = FontOf(key.font);
    format.fontName = font != nullptr ? font->name : default_.fontName;
    const auto index = content_.Table().Intern(format);
    formatIndices_.emplace(key, index);
    return index;
  }

  void Put(char16_t c) {
    if (chunkLength_ == kChunk) FlushChunk();
    chunk_[chunkLength_++] = c;
  }

  void EmitBytes(std::string_view data) {
    UseCurrentFormat();
    escapedCr_ = false;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const auto* end = p + data.size();
    while (p != end) {
      if (chunkLength_ == kChunk) FlushChunk();
      const auto room = static_cast<std::ptrdiff_t>(kChunk - chunkLength_);
      const auto* stop = p + std::min(room, end - p);
      char16_t* out = chunk_.get() + chunkLength_;
      for (; p != stop; ++p) {
        const unsigned char b = *p;
        if (b >= 0x20 && b < 0x80) {
          *out++ = b;
        } else if (b >= 0x80) {
          // Raw 8-bit text: not proper RTF, but common.
          *out++ = DecodeCodePageByte(CurrentCodePage(), b);
        } else if (b == '\t') {
          *out++ = u'\t';
        }
        // Other control bytes carry nothing.
      }
      chunkLength_ = static_cast<std::size_t>(out - chunk_.get());
    }
  }

  // One character from an escape, a \u or a symbol word. A CR or LF that
  // arrives this way is a line break too (CR LF spelt as two escapes is one),
  // so that the text only ever holds CR LF pairs.
  void EmitDecoded(char16_t c) {
    if (c == 0) return;
    if (c == u'\r' || c == u'\n') {
      if (c == u'\n' && escapedCr_) {
        escapedCr_ = false;
        return;
      }
      EmitLineBreak();
      escapedCr_ = c == u'\r';
      return;
    }
    UseCurrentFormat();
    escapedCr_ = false;
    Put(c);
  }

  void EmitLineBreak() {
    UseCurrentFormat();
    escapedCr_ = false;
    Put(u'\r');
    Put(u'\n');
  }

  // The UTF-16 units of a \uN parameter: negative values are the signed
  // spelling of units from 0x8000 up; a few writers give a code point beyond
  // the Basic Multilingual Plane in one \u. Returns the number of units.
  static int UnitsOf(std::int64_t value, std::array<char16_t, 2>& units) {
    if (value < 0 && value >= -32768) value += 65536;
    if (value >= 0 && value <= 0xFFFF) {
      units[0] = static_cast<char16_t>(value);
      return 1;
    }
    if (value > 0xFFFF && value <= 0x10FFFF) {
      value -= 0x10000;
      units[0] = static_cast<char16_t>(0xD800 + (value >> 10));
      units[1] = static_cast<char16_t>(0xDC00 + (value & 0x3FF));
      return 2;
    }
    units[0] = u'\uFFFD';
    return 1;
  }

  void EmitUnicode(std::int64_t value) {
    if (state_.hidden) return;
    std::array<char16_t, 2> units{};
    const int count = UnitsOf(value, units);
    for (int i = 0; i < count; ++i) EmitDecoded(units[static_cast<std::size_t>(i)]);
  }

  DocumentContent Finish() {
    FlushChunk();
    // A file of mostly pictures leaves most of the reservation unused: give
    // it back.
    if (bytes_.size() > kShrinkAbove &&
        static_cast<std::size_t>(content_.Length()) < bytes_.size() / 4) {
      return content_.Slice(0, content_.Length());
    }
    return std::move(content_);
  }

  std::string_view bytes_;
  const CharFormat& default_;
  DocumentContent content_;

  GroupState state_;
  std::vector<GroupState> stack_;
  std::size_t excessDepth_ = 0;
  std::int64_t skip_ = 0;  // \uN fallback characters still to skip

  int documentCodePage_ = 1252;
  int defaultFont_ = 0;
  std::unordered_map<int, FontEntry> fonts_;
  std::vector<Colour> colours_;

  // The font table entry being read.
  bool pendingFont_ = false;
  int fontNumber_ = 0;
  int fontCharset_ = kNoCharset;
  int fontCodePage_ = 0;
  std::u16string fontName_;

  // The colour table entry being read.
  std::uint8_t red_ = 0;
  std::uint8_t green_ = 0;
  std::uint8_t blue_ = 0;
  bool colourSet_ = false;

  // The code page of the font whose number is codePageFont_.
  std::optional<int> codePageFont_;
  int codePage_ = 1252;

  std::unordered_map<FormatKey, DocumentContent::Index, FormatKeyHash> formatIndices_;
  std::unique_ptr<char16_t[]> chunk_;
  std::size_t chunkLength_ = 0;
  FormatKey chunkFormat_;
  bool escapedCr_ = false;
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
