// Tokenizing a text with a language definition: the stretches of the text
// that take a token style, as the language library finds them line by line.
#pragma once

#include <deque>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "definitions/element_look.h"

namespace markwell {

class LoadedDefinition;

// A stretch of the text and the token style it takes.
struct DefinitionMark {
  int start = 0;
  int length = 0;
  TokenStyle style = TokenStyle::kPascalKeyword;
};
// In a deque: it grows without copying what it holds, and without room to
// spare of the size of all of it.
using DefinitionMarks = std::deque<DefinitionMark>;

// The marks of `text`, in order, neighbours of one style joined. A large
// text is tokenized in two stretches at once, each on a thread of its own;
// the marks are those of one pass from the start. `progress` is called on
// the calling thread with the number of units tokenized so far. Throws
// EngineError when the library fails on the text (a regular expression too
// complex to match, for one).
DefinitionMarks TokenizeWithDefinition(std::u16string_view text, LoadedDefinition& definition,
                                       std::span<const ElementLook> looks,
                                       const std::function<void(int)>& progress);

// The same with the size from which two threads are used.
DefinitionMarks TokenizeWithDefinition(std::u16string_view text, LoadedDefinition& definition,
                                       std::span<const ElementLook> looks,
                                       const std::function<void(int)>& progress,
                                       std::size_t twoThreadsFrom);

}  // namespace markwell
