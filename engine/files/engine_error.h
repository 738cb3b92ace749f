// The one kind of error the engine raises: it carries the message that the
// program shows to the user ("Cannot open file %s", "File not found", ...)
// and, apart from it, the operating system's reason where there is one
// ("No such file or directory"), for front ends that add it to the message.
#pragma once

#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace markwell {

class EngineError : public std::runtime_error {
 public:
  explicit EngineError(const std::string& message, std::string reason = {})
      : std::runtime_error(message), reason_(std::move(reason)) {}

  // The system's reason for the failure; empty when there is none.
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

// The operating system's text for an errno value ("Permission denied").
inline std::string SystemReason(int errorNumber) {
  return std::generic_category().message(errorNumber);
}

}  // namespace markwell
