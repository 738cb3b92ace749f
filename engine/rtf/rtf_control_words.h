// The control words that the RTF reader knows, and what each means to it.
#pragma once

#include <cstdint>
#include <string_view>

namespace markwell::rtf {

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
  ColorTable,
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
  TextColor,
  FontSize,
  Plain,
  SkipDestination,  // a group of no text: \info, \pict, \stylesheet, ...
};

struct WordEntry {
  std::string_view name;
  Word word;
  char16_t ch = 0;
};

// The entry of a control word, or nullptr for a word the reader ignores.
const WordEntry* FindWord(std::string_view word);

}  // namespace markwell::rtf
