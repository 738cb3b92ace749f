// The one kind of error the engine raises: it carries the message that the
// program shows to the user ("Cannot open file %s", "File not found", ...).
#pragma once

#include <stdexcept>
#include <string>

namespace markwell {

class EngineError : public std::runtime_error {
 public:
  explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace markwell
