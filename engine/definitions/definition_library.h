// The language definitions loaded so far, each kept for the rest of the
// program's life. Loading goes through the language library's parser, which
// keeps state of its own: load from one thread only, one at a time.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace markwell {

// A definition loaded once per thread that tokenizes with it; the library's
// types stay inside this folder.
class LoadedDefinition;

class DefinitionLibrary {
 public:
  explicit DefinitionLibrary(std::vector<std::string> directories);
  ~DefinitionLibrary();
  DefinitionLibrary(const DefinitionLibrary&) = delete;
  DefinitionLibrary& operator=(const DefinitionLibrary&) = delete;

  // The path of `file` in the first directory that holds it; empty when none does.
  std::string Locate(const std::string& file) const;

  // The definition `file`, loaded at its first use. Throws EngineError with
  // the file, the line and the library's reason when the file is missing or
  // is no definition the library can build.
  LoadedDefinition& Load(const std::string& file);

  const std::vector<std::string>& Directories() const { return directories_; }

 private:
  // A definition that failed, with the file as it then was: the library's
  // parser leaks memory and an open file on each failure, so an unchanged
  // file fails again from here instead.
  struct Failure {
    std::string path;
    long long modified = 0;  // nanoseconds
    long long size = 0;
    std::string message;
  };

  std::vector<std::string> directories_;
  std::map<std::string, std::unique_ptr<LoadedDefinition>> loaded_;
  std::map<std::string, Failure> failed_;
};

}  // namespace markwell
