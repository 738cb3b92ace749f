#include "definitions/definition_library.h"

#include <sys/stat.h>

#include <srchilite/highlightbuilderexception.h>
#include <srchilite/highlightrule.h>
#include <srchilite/langdefmanager.h>
#include <srchilite/parserexception.h>
#include <srchilite/regexrulefactory.h>

#include "definitions/installed_definitions.h"
#include "definitions/loaded_definition.h"
#include "files/engine_error.h"

namespace markwell {

namespace {

std::string WhereAndWhy(const std::string& file, unsigned line, const std::string& reason) {
  return (line > 0 ? file + ":" + std::to_string(line) : file) + ": " + reason;
}

// The file the library names in an error, as a path: it gives some without
// their directory; none means the definition itself.
std::string FileAtFault(const std::string& named, const std::string& directory,
                        const std::string& path) {
  if (named.empty()) return path;
  return named.find('/') == std::string::npos ? directory + named : named;
}

// Whether every rule of the start state only gives text its default
// element, as the library's own rule for a definition without any does.
bool NamesNoElement(const srchilite::HighlightState& start) {
  for (const srchilite::HighlightRulePtr& rule : start.getRuleList()) {
    if (rule->getNextState()) return false;
    for (const std::string& element : rule->getElemList()) {
      if (element != start.getDefaultElement()) return false;
    }
  }
  return true;
}

// One fresh copy of the definition's states, its rules made by `factory`,
// so that no two copies share anything the library builds.
srchilite::HighlightStatePtr Build(srchilite::RegexRuleFactory& factory,
                                   const std::string& directory, const std::string& file,
                                   const std::string& path) {
  // The library joins the two with a slash of its own.
  const std::string folder =
      directory.ends_with('/') ? directory.substr(0, directory.size() - 1) : directory;
  try {
    srchilite::LangDefManager manager(&factory);
    srchilite::HighlightStatePtr start = manager.buildHighlightState(folder, file);
    // The library reads what is no definition at all (binary data, say) as
    // one without rules, which would mark nothing.
    if (NamesNoElement(*start)) throw EngineError(path + ": No language definition");
    return start;
  } catch (const EngineError&) {
    throw;
  } catch (const srchilite::ParserException& error) {
    // The file at fault may be one that the definition includes.
    const std::string at = FileAtFault(error.filename, directory, path);
    std::string reason = error.message;
    if (!error.additional.empty()) reason += " (" + error.additional + ")";
    throw EngineError(WhereAndWhy(at, error.line, reason));
  } catch (const srchilite::HighlightBuilderException& error) {
    const std::string at = FileAtFault(error.filename, directory, path);
    throw EngineError(WhereAndWhy(at, error.line, error.message + ": " + error.causedBy.what()));
  } catch (const std::exception& error) {
    throw EngineError(WhereAndWhy(path, 0, error.what()));
  }
}

}  // namespace

LoadedDefinition::LoadedDefinition(std::string directory, std::string file)
    : directory_(std::move(directory)), file_(std::move(file)), path_(directory_ + file_) {}

srchilite::HighlightStatePtr LoadedDefinition::StartState(std::size_t copy) {
  while (copies_.size() <= copy) {
    auto factory = std::make_unique<srchilite::RegexRuleFactory>();
    copies_.push_back(Build(*factory, directory_, file_, path_));
    factories_.push_back(std::move(factory));
  }
  return copies_[copy];
}

DefinitionLibrary::DefinitionLibrary(std::vector<std::string> directories)
    : directories_(std::move(directories)) {}

DefinitionLibrary::~DefinitionLibrary() = default;

std::string DefinitionLibrary::Locate(const std::string& file) const {
  if (file.empty() || file.find('/') != std::string::npos) return {};
  for (const std::string& directory : directories_) {
    if (IsRegularFile(directory + file)) return directory + file;
  }
  return {};
}

LoadedDefinition& DefinitionLibrary::Load(const std::string& file) {
  if (const auto found = loaded_.find(file); found != loaded_.end()) return *found->second;
  const std::string path = Locate(file);
  if (path.empty()) throw EngineError(file + ": Language definition not found");
  struct stat status {};
  ::stat(path.c_str(), &status);
  const Failure now{path,
                    status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec,
                    static_cast<long long>(status.st_size),
                    {}};
  if (const auto failed = failed_.find(file); failed != failed_.end()) {
    const Failure& before = failed->second;
    if (before.path == now.path && before.modified == now.modified && before.size == now.size) {
      throw EngineError(before.message);
    }
  }
  auto definition =
      std::make_unique<LoadedDefinition>(path.substr(0, path.size() - file.size()), file);
  try {
    definition->StartState(0);  // a definition that cannot be built is not kept
  } catch (const EngineError& error) {
    failed_[file] = Failure{now.path, now.modified, now.size, error.what()};
    throw;
  }
  return *loaded_.emplace(file, std::move(definition)).first->second;
}

}  // namespace markwell
