#include "languages/language_table.h"

#include <algorithm>
#include <map>
#include <set>

#include "languages/known_languages.h"

namespace markwell {

namespace {

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    if (end > start) words.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

// A word that a definition may not take: the command line's own modes, and
// what would read as an option or an emphasis mode.
bool IsReservedWord(const std::string& word, const std::vector<Language>& rows) {
  if (word.empty() || word[0] == '-' || word == "none" || word == "auto") return true;
  if (std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return true;
  }
  return std::any_of(rows.begin(), rows.end(),
                     [&](const Language& row) { return row.word == word; });
}

std::string CaptionOf(const std::string& word) {
  std::string caption = word;
  if (caption[0] >= 'a' && caption[0] <= 'z') caption[0] = static_cast<char>(caption[0] - 32);
  return caption;
}

}  // namespace

std::string NormalizedExtension(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  std::string lowered(extension);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return lowered;
}

LanguageTable::LanguageTable() : rows_(StyleBoxLanguages().begin(), StyleBoxLanguages().end()) {}

LanguageTable::LanguageTable(const std::vector<InstalledDefinition>& installed) : LanguageTable() {
  AddDefinitions(installed);
}

void LanguageTable::AddDefinitions(const std::vector<InstalledDefinition>& installed) {
  std::map<std::string_view, const KnownDefinition*> known;
  for (const KnownDefinition& definition : KnownDefinitions()) known[definition.word] = &definition;

  std::vector<Language> definitions;
  for (const InstalledDefinition& definition : installed) {
    if (IsExcludedDefinition(definition.file) || IsReservedWord(definition.word, rows_)) continue;
    Language row;
    row.word = definition.word;
    row.runner = LanguageRunner::kDefinition;
    row.definition = definition.file;
    row.looks = DefinitionLooks();
    if (const auto found = known.find(definition.word); found != known.end()) {
      row.caption = found->second->caption;
      row.extensions = SplitWords(found->second->extensions);
    } else {
      // A definition the program does not know: its map's names are its extensions.
      row.caption = CaptionOf(definition.word);
      for (const std::string& key : definition.keys)
        row.extensions.push_back(NormalizedExtension(key));
    }
    definitions.push_back(std::move(row));
  }
  std::stable_sort(definitions.begin(), definitions.end(),
                   [](const Language& a, const Language& b) { return a.caption < b.caption; });

  // An extension belongs to the first row that claims it: the filters', then
  // the known definitions', then the others' in caption order.
  std::set<std::string> claimed;
  for (const Language& row : rows_) claimed.insert(row.extensions.begin(), row.extensions.end());
  for (const bool knownFirst : {true, false}) {
    for (Language& row : definitions) {
      if (known.contains(row.word) != knownFirst) continue;
      std::vector<std::string> own;
      for (std::string& extension : row.extensions) {
        if (!extension.empty() && claimed.insert(extension).second) own.push_back(extension);
      }
      row.extensions = own;
      row.openExtensions = own;
    }
  }
  rows_.insert(rows_.end(), std::make_move_iterator(definitions.begin()),
               std::make_move_iterator(definitions.end()));
}

const Language* LanguageTable::ForWord(std::string_view word) const {
  for (const Language& row : rows_) {
    if (!row.word.empty() && row.word == word) return &row;
  }
  return nullptr;
}

const Language* LanguageTable::ForExtension(std::string_view extension) const {
  const std::string wanted = NormalizedExtension(extension);
  for (const Language& row : rows_) {
    if (std::find(row.extensions.begin(), row.extensions.end(), wanted) != row.extensions.end()) {
      return &row;
    }
  }
  return nullptr;
}

const Language* LanguageTable::ForOpenedExtension(std::string_view extension) const {
  const Language* row = ForExtension(extension);
  if (row == nullptr) return nullptr;
  const std::string wanted = NormalizedExtension(extension);
  const auto& open = row->openExtensions;
  return std::find(open.begin(), open.end(), wanted) != open.end() ? row : nullptr;
}

const Language& LanguageTable::ForMode(int mode) const {
  for (const Language& row : rows_) {
    if (row.runner == LanguageRunner::kFilter && row.mode == mode) return row;
  }
  return rows_.front();  // "Výchozí": the reset alone
}

int LanguageTable::IndexOf(const Language& language) const {
  return static_cast<int>(&language - rows_.data());
}

std::vector<std::string> LanguageTable::AllExtensions() const {
  std::vector<std::string> all;
  for (const Language& row : rows_)
    all.insert(all.end(), row.extensions.begin(), row.extensions.end());
  return all;
}

}  // namespace markwell
