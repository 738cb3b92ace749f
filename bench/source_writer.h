// What the source generators share: word lists, the writer that collects
// lines up to the wanted size, and small helpers.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "source_generator.h"

namespace markwell::bench {

inline constexpr std::string_view kCzechPhrases[] = {
    "Načte vstupní soubor a spočítá řádky",   "Příliš žluťoučký kůň úpěl ďábelské ódy",
    "Uloží výsledek do výstupního bufferu",   "Ošetření chyb při čtení z proudu",
    "Hodnota musí být kladná, jinak končíme", "Přepočet souřadnic na obrazovku",
    "Vrátí počet položek v seznamu",          "Inicializace proměnných před během",
    "Zkontroluje, zda je index v rozsahu",    "Převod na velká písmena (jen ASCII)",
    "Ďáblův kód: neměnit bez důvodu!",        "Řádek končí znaky CR LF",
    "Časovač se nuluje při každém průchodu",  "Šířka a výška okna v pixelech",
};

inline constexpr std::string_view kEnglishPhrases[] = {
    "Returns the number of items in the list",
    "TODO: handle the empty case",
    "Reads the next block from the stream",
    "Keep this in sync with the header",
    "The caller owns the result",
    "Skips white space and line breaks",
    "Guard against endless loops",
    "Index is zero-based here",
    "Flushes the buffer when it is full",
    "Converts the value to upper case",
    "Checks the range before the access",
    "See the notes in the interface part",
};

inline constexpr std::string_view kNouns[] = {
    "Count",  "Index",  "Name",   "Buffer", "Total",  "Line",   "Value",  "Item",   "Stream",
    "Width",  "Height", "Offset", "Key",    "Data",   "Node",   "List",   "Text",   "Size",
    "Pos",    "Column", "Row",    "Margin", "Color",  "Font",   "Style",  "Token",  "State",
    "Mode",   "Path",   "Range",  "Limit",  "Start",  "Stop",   "Level",  "Depth",  "Owner",
    "Parent", "Child",  "Target", "Source", "Header", "Footer", "Handle", "Flags",  "Sum",
    "Length", "Cursor", "Block",  "Record", "Entry",  "Result", "Endian", "Format", "Caption"};

inline constexpr std::string_view kVerbs[] = {
    "Load",  "Save",   "Read",    "Write",    "Parse",  "Format",  "Update", "Reset",
    "Find",  "Insert", "Delete",  "Append",   "Clear",  "Compute", "Check",  "Apply",
    "Build", "Scan",   "Emit",    "Draw",     "Open",   "Close",   "Flush",  "Sort",
    "Merge", "Split",  "Convert", "Validate", "Render", "Process", "Begin",  "Finish"};

inline constexpr std::string_view kPascalTypes[] = {"Integer", "string",  "Cardinal", "Boolean",
                                                    "Double",  "Char",    "Int64",    "Byte",
                                                    "Word",    "Pointer", "TStrings", "TStream"};

template <typename T>
T Pick(SplitMix64& rng, std::span<const T> items) {
  return items[rng.Below(items.size())];
}

template <typename T, std::size_t N>
T Pick(SplitMix64& rng, const T (&items)[N]) {
  return Pick(rng, std::span<const T>(items, N));
}

// Decodes one UTF-8 sequence at `i` (the phrases above are valid UTF-8).
inline char32_t NextCodePoint(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0x80) return b0;
  const auto b1 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0xE0) return static_cast<char32_t>(((b0 & 0x1F) << 6) | (b1 & 0x3F));
  const auto b2 = static_cast<unsigned char>(s[i++]);
  return static_cast<char32_t>(((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F));
}

// The Czech letters of windows-1250 and their bytes.
inline constexpr std::array<std::pair<char32_t, unsigned char>, 30> kWindows1250{{
    {U'á', 0xE1}, {U'č', 0xE8}, {U'ď', 0xEF}, {U'é', 0xE9}, {U'ě', 0xEC}, {U'í', 0xED},
    {U'ň', 0xF2}, {U'ó', 0xF3}, {U'ř', 0xF8}, {U'š', 0x9A}, {U'ť', 0x9D}, {U'ú', 0xFA},
    {U'ů', 0xF9}, {U'ý', 0xFD}, {U'ž', 0x9E}, {U'Á', 0xC1}, {U'Č', 0xC8}, {U'Ď', 0xCF},
    {U'É', 0xC9}, {U'Ě', 0xCC}, {U'Í', 0xCD}, {U'Ň', 0xD2}, {U'Ó', 0xD3}, {U'Ř', 0xD8},
    {U'Š', 0x8A}, {U'Ť', 0x8D}, {U'Ú', 0xDA}, {U'Ů', 0xD9}, {U'Ý', 0xDD}, {U'Ž', 0x8E},
}};

inline std::string ToWindows1250(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, i);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    const auto* found =
        std::ranges::find(kWindows1250, c, &std::pair<char32_t, unsigned char>::first);
    out += static_cast<char>(found != kWindows1250.end() ? found->second : '?');
  }
  return out;
}

// Collects lines up to the wanted size. The source may only be cut behind a
// whole line (a multi-line comment is one line here), so that the cut never
// leaves a comment or a string open.
class SourceWriter {
 public:
  SourceWriter(std::size_t size, std::uint64_t seed, SourceCharset charset,
               std::string_view lineEnd)
      : rng_(seed), size_(size), charset_(charset), lineEnd_(lineEnd) {
    out_.reserve(size + 4096);
  }

  SplitMix64& Rng() { return rng_; }
  bool Full() const { return out_.size() >= size_; }

  // One line at `indent` spaces; a "\n" inside starts a further line of the
  // same item at the same indent.
  void Line(int indent, std::string_view text) {
    if (Full()) return;
    out_.append(static_cast<std::size_t>(indent), ' ');
    for (char c : text) {
      if (c == '\n') {
        out_ += lineEnd_;
        out_.append(static_cast<std::size_t>(indent), ' ');
      } else {
        out_ += c;
      }
    }
    out_ += lineEnd_;
    if (out_.size() <= size_) cut_ = out_.size();
  }
  void Blank() { Line(0, ""); }

  // A comment's words, Czech about every second time unless only ASCII is wanted.
  std::string Phrase() {
    if (charset_ == SourceCharset::kAscii || rng_.Chance(50)) {
      return std::string(Pick(rng_, kEnglishPhrases));
    }
    const std::string_view czech = Pick(rng_, kCzechPhrases);
    return charset_ == SourceCharset::kWindows1250 ? ToWindows1250(czech) : std::string(czech);
  }

  // The source cut behind its last whole line within the size, then filled up
  // to the exact size with line comments that begin with `commentPrefix`.
  std::string Finish(std::string_view commentPrefix) {
    out_.resize(cut_);
    const std::size_t shortest = commentPrefix.size() + lineEnd_.size();
    std::size_t rest = size_ - out_.size();
    while (rest > 0) {
      if (rest < shortest) {
        out_.append(rest, ' ');
        break;
      }
      std::size_t length = std::min<std::size_t>(rest, 72);
      // Leave room for a whole comment line after this one.
      if (rest > length && rest - length < shortest) length = rest - shortest;
      out_ += commentPrefix;
      out_.append(length - shortest, '-');
      out_ += lineEnd_;
      rest -= length;
    }
    return std::move(out_);
  }

 private:
  SplitMix64 rng_;
  std::size_t size_;
  SourceCharset charset_;
  std::string lineEnd_;
  std::string out_;
  std::size_t cut_ = 0;
};

// The parts one after the other (GCC 12 warns falsely on some chains of +
// at -O3).
inline std::string Cat(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (std::string_view part : parts) joined.append(part);
  return joined;
}

inline std::string Number(SplitMix64& rng) {
  switch (rng.Below(6)) {
    case 0:
      return "0";
    case 1:
      return "1";
    case 2:
      return std::to_string(rng.Below(16) + 2);
    case 3:
      return std::to_string(rng.Below(4096));
    case 4:
      return Cat({"$", std::string(1, "0123456789ABCDEF"[rng.Below(16)]), "F"});
    default:
      return std::to_string(rng.Below(100)) + "0";
  }
}

// The generators, one per language: each writes lines until `w` is full.
void GeneratePascal(SourceWriter& w);
void GenerateMatlab(SourceWriter& w);
void GenerateAssembler(SourceWriter& w);
void GenerateC(SourceWriter& w);
void GeneratePython(SourceWriter& w);

}  // namespace markwell::bench
