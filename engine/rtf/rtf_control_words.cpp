#include "rtf/rtf_control_words.h"

#include <array>
#include <cstddef>

namespace markwell::rtf {

namespace {

constexpr WordEntry kWords[] = {
    {"ansi", Word::Ansi},
    {"mac", Word::Mac},
    {"pc", Word::Pc},
    {"pca", Word::Pca},
    {"ansicpg", Word::AnsiCodePage},
    {"deff", Word::DefaultFont},
    {"fonttbl", Word::FontTable},
    {"colortbl", Word::ColorTable},
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
    {"cf", Word::TextColor},
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

}  // namespace

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

}  // namespace markwell::rtf
