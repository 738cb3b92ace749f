// A language: one row of the language table, which the style box, the
// menus, Open's preselection and markwell-cli's --mode all read.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "definitions/element_look.h"

namespace markwell {

// What a language's run does.
enum class LanguageRunner {
  kReset,       // the document reset alone ("Výchozí", and a mode without a filter)
  kFilter,      // one of the three filters, chosen by its emphasis mode
  kNoFilter,    // no filter is installed: the user is told so ("HTML")
  kDefinition,  // a language definition (.lang file) run through the language library
};

struct Language {
  std::string caption{};  // its entry in the style box
  std::string word{};     // markwell-cli's --mode word; empty when the command line has none
  // File name extensions, lower case and without the dot, that --mode auto
  // reads as this language; no two rows share one.
  std::vector<std::string> extensions{};
  // Those of `extensions` that preselect the language when a file is opened.
  std::vector<std::string> openExtensions{};
  LanguageRunner runner = LanguageRunner::kReset;
  int mode = 0;                          // the emphasis mode of a filter
  std::string menuCaption{};             // its entry in the "Úpravy" menu; empty for none
  std::string definition{};              // the definition file of a definition ("c.lang")
  std::span<const ElementLook> looks{};  // a definition's looks
};

}  // namespace markwell
