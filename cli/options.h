// The command line of markwell-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/char_format.h"

namespace markwell::cli {

enum class OutputFormat { Rtf, Json, Text, Html };

struct Options {
  // The emphasis mode of the run; nothing for "none" (load and write only).
  std::optional<int> mode;
  // "auto": the mode comes from each input's extension.
  bool autoMode = false;
  bool useColour = false;
  std::optional<std::string> keywordDirectory;  // ends with '/'
  OutputFormat format = OutputFormat::Rtf;
  std::string output = "-";
  std::vector<std::string> inputs;  // empty: standard input
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

// The emphasis mode for a file name's extension with --mode auto, if its
// extension names a language.
std::optional<int> ModeForFileName(const std::string& fileName);

// The file name extension of an output format, with its dot.
std::string OutputExtension(OutputFormat format);

std::string HelpText();
std::string VersionText();

}  // namespace markwell::cli
