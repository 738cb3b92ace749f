// The command line of markwell-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "char_format.h"

namespace markwell::cli {

enum class OutputFormat { Rtf, Json, Text };

struct Options {
  // The emphasis mode of the run; nothing for "none" (load and write only).
  std::optional<int> mode;
  bool useColour = false;
  std::optional<std::string> keywordDirectory;  // ends with '/'
  OutputFormat format = OutputFormat::Rtf;
  std::string output = "-";
  std::string input = "-";
  std::string fontName = "Times New Roman";
  int fontSize = 10;
  FontStyles fontStyle;
  Colour fontColour = kWindowTextColour;
  bool help = false;
  bool version = false;
};

// Thrown for a usage error; the message says what is wrong.
struct UsageError {
  std::string message;
};

Options ParseOptions(const std::vector<std::string>& arguments);

std::string HelpText();
std::string VersionText();

}  // namespace markwell::cli
