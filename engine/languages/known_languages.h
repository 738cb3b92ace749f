// The rows that the program knows before it looks for installed language
// definitions: the five entries of the style box, and the caption and file
// extensions of each definition that the language library ships.
#pragma once

#include <span>
#include <string_view>

#include "languages/language.h"

namespace markwell {

// "Výchozí", "Assembler", "Delphi ", "HTML", "Matlab", in the style box's order.
std::span<const Language> StyleBoxLanguages();

// What the program knows of a definition the library ships: its caption and
// its extensions. `word` is the definition file's base name.
struct KnownDefinition {
  std::string_view word;
  std::string_view caption;
  std::string_view extensions;  // separated by blanks, lower case, without dots
};
std::span<const KnownDefinition> KnownDefinitions();

// The looks of every definition's elements: keywords, types and
// preprocessor lines as keywords; comments (and the to-do marks in them) as
// comments; strings, their special characters and regular expressions as
// string literals.
std::span<const ElementLook> DefinitionLooks();

// The definition files of the library that are not languages of their own:
// its own formats, and the languages whose style box entries run the
// program's filters or none.
bool IsExcludedDefinition(std::string_view file);

}  // namespace markwell
