// The command line of markwell-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/char_format.h"
#include "languages/language_table.h"

namespace markwell::cli {

enum class OutputFormat { Rtf, Json, Text, Html };

struct Options {
  // The language of the run (a row of the table given to ParseOptions);
  // null for "none" (load and write only).
  const Language* language = nullptr;
  // "auto": the language comes from each input's extension.
  bool autoMode = false;
  bool useColor = false;
  std::optional<std::string> keywordDirectory;  // ends with '/'
  OutputFormat format = OutputFormat::Rtf;
  std::string output = "-";
  std::vector<std::string> inputs;  // empty: standard input
  std::string fontName = "Times New Roman";
  int fontSize = 10;
  FontStyles fontStyle;
  TextColor fontColor = kWindowTextColor;
  bool listModes = false;
  bool help = false;
  bool version = false;
};

// Thrown for a usage error; the message says what is wrong.
struct UsageError {
  std::string message;
};

// The words of --mode are those of `languages`.
Options ParseOptions(const std::vector<std::string>& arguments, const LanguageTable& languages);

// The file name extension of an output format, with its dot.
std::string OutputExtension(OutputFormat format);

std::string HelpText(const LanguageTable& languages);

// --list-modes: each language with a word, one a line: the word, its
// caption in the style box and its extensions, separated by tabs.
std::string ModeList(const LanguageTable& languages);
std::string VersionText();

}  // namespace markwell::cli
