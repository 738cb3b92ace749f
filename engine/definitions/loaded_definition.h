// A definition as the language library built it: its start state, once for
// each thread that tokenizes with it. Only this folder sees this header.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <srchilite/highlightstate.h>
#include <srchilite/regexrulefactory.h>

namespace markwell {

class LoadedDefinition {
 public:
  LoadedDefinition(std::string directory, std::string file);

  const std::string& Path() const { return path_; }

  // The start state of copy `copy` (0 or 1), building the copy the first
  // time it is asked for. Each thread tokenizes with a copy of its own; call
  // from one thread only. Throws EngineError when the definition cannot be built.
  srchilite::HighlightStatePtr StartState(std::size_t copy);

 private:
  std::string directory_;
  std::string file_;
  std::string path_;
  // The factory that built a copy's rules lives as long as the copy.
  std::vector<std::unique_ptr<srchilite::RegexRuleFactory>> factories_;
  std::vector<srchilite::HighlightStatePtr> copies_;
};

}  // namespace markwell
