#include "definitions/installed_definitions.h"

#include <sys/stat.h>

#include <srchilite/langmap.h>
#include <srchilite/parserexception.h>
#include <srchilite/settings.h>
#include <algorithm>
#include <map>

namespace markwell {

namespace {

std::string WithSlash(std::string directory) {
  if (!directory.empty() && directory.back() != '/') directory += '/';
  return directory;
}

constexpr std::string_view kDefinitionSuffix = ".lang";

std::string WordOf(const std::string& file) {
  return file.substr(0, file.size() - kDefinitionSuffix.size());
}

bool IsDefinitionFileName(const std::string& file) {
  return file.size() > kDefinitionSuffix.size() && file.ends_with(kDefinitionSuffix) &&
         file.find('/') == std::string::npos;
}

}  // namespace

bool IsRegularFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string LibraryDataDirectory() {
  return WithSlash(srchilite::Settings::getDefaultDataDir());
}

std::vector<std::string> DefinitionDirectories(const std::string& executableDirectory) {
  return {WithSlash(executableDirectory) + "languages/", LibraryDataDirectory()};
}

DefinitionSearch FindInstalledDefinitions(const std::vector<std::string>& directories) {
  DefinitionSearch search;
  std::map<std::string, std::size_t> byWord;  // index into search.definitions
  for (const std::string& directory : directories) {
    // The library would look for a missing map elsewhere too (the current
    // directory); only a map in the folder itself counts.
    if (!IsRegularFile(directory + "lang.map")) continue;
    srchilite::LangMap map(directory, "lang.map");
    try {
      map.open();
    } catch (const srchilite::ParserException& error) {
      search.warnings.push_back(directory + "lang.map:" + std::to_string(error.line) + ": " +
                                error.message);
      continue;
    } catch (const std::exception& error) {
      search.warnings.push_back(directory + "lang.map: " + error.what());
      continue;
    }
    std::map<std::string, std::size_t> foundHere;
    for (auto entry = map.begin(); entry != map.end(); ++entry) {
      const std::string& file = entry->second;
      if (!IsDefinitionFileName(file)) continue;
      const std::string word = WordOf(file);
      const auto known = byWord.find(word);
      if (known != byWord.end() && !foundHere.contains(word)) continue;  // an earlier folder's
      if (known == byWord.end()) {
        if (!IsRegularFile(directory + file)) continue;
        byWord[word] = foundHere[word] = search.definitions.size();
        search.definitions.push_back(InstalledDefinition{word, file, directory, {}});
      }
      search.definitions[byWord[word]].keys.push_back(entry->first);
    }
  }
  return search;
}

}  // namespace markwell
