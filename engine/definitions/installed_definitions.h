// The language definitions installed where the program looks for them: a
// languages/ folder beside the executable first, then the language
// library's own data directory. Each folder's lang.map names the
// definition files and the names (extensions) that choose them.
#pragma once

#include <string>
#include <vector>

namespace markwell {

struct InstalledDefinition {
  std::string word;               // the file's base name: "c" for c.lang
  std::string file;               // "c.lang"
  std::string directory;          // where it lies, ending with '/'
  std::vector<std::string> keys;  // the names lang.map gives it, as written there
};

struct DefinitionSearch {
  // One entry per word, in the order of the maps; the first folder that
  // holds a word's file wins.
  std::vector<InstalledDefinition> definitions;
  // A map that cannot be read: its file, line and the library's reason.
  std::vector<std::string> warnings;
};

// The folders to look in, in order: `executableDirectory`/languages/, then
// the library's data directory.
std::vector<std::string> DefinitionDirectories(const std::string& executableDirectory);

// The language library's own data directory, ending with '/'.
std::string LibraryDataDirectory();

// Reads lang.map in each directory; a file the map names counts when it
// exists there. A directory without lang.map is skipped without a warning.
DefinitionSearch FindInstalledDefinitions(const std::vector<std::string>& directories);

// Whether `path` names a regular file (or a link to one).
bool IsRegularFile(const std::string& path);

}  // namespace markwell
