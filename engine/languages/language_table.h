// The language table: the five entries of the style box, then every
// installed language definition, sorted by caption. A row's index is its
// index in the style box.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "definitions/installed_definitions.h"
#include "languages/language.h"

namespace markwell {

class LanguageTable {
 public:
  // The five entries only.
  LanguageTable();
  // The five entries and the definitions found (FindInstalledDefinitions).
  explicit LanguageTable(const std::vector<InstalledDefinition>& installed);

  const std::vector<Language>& Rows() const { return rows_; }

  // The row whose command-line word this is; nullptr when none.
  const Language* ForWord(std::string_view word) const;
  // The row that claims a file name extension for --mode auto, compared
  // without regard to case; the dot may lead it (".PAS", as FileExtension
  // gives it) or not.
  const Language* ForExtension(std::string_view extension) const;
  // The row that an opened file of this extension preselects, or nullptr.
  const Language* ForOpenedExtension(std::string_view extension) const;
  // The row that runs emphasis mode `mode`: a filter's for 1, 2 and 4, the
  // reset's for every other mode.
  const Language& ForMode(int mode) const;
  // The row's index, for the style box.
  int IndexOf(const Language& language) const;

  // Every extension that some row claims, in row order.
  std::vector<std::string> AllExtensions() const;

 private:
  void AddDefinitions(const std::vector<InstalledDefinition>& installed);

  std::vector<Language> rows_;
};

// "rtf" for ".RTF" or "rtf": the extension lower-cased, without its dot.
std::string NormalizedExtension(std::string_view extension);

}  // namespace markwell
