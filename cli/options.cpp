#include "options.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <limits>

#include "markwell_version.h"

namespace markwell::cli {

namespace {

// Whole points as word processors take them; RTF writes twice the size as
// \fs, whose 16-bit value holds at most 16383 half-points.
constexpr int kSmallestFontSize = 1;
constexpr int kLargestFontSize = 1638;

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<int> ParseInt(const std::string& text) {
  int value = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (begin != end && *begin == '+') ++begin;
  auto [ptr, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || ptr != end || begin == end) return std::nullopt;
  return value;
}

// The language of a --mode word; null for "none" and "auto".
const Language* ParseMode(const std::string& text, const LanguageTable& languages) {
  if (text == "none" || text == "auto") return nullptr;
  if (const Language* language = languages.ForWord(text)) return language;
  // Any integer other than a filter's mode runs the reset only.
  if (auto number = ParseInt(text)) return &languages.ForMode(*number);
  throw UsageError{"unknown mode '" + text +
                   "' (modes: asm, pascal, matlab, a language of --list-modes, reset, none, auto "
                   "or an integer)"};
}

FontStyles ParseFontStyle(const std::string& list) {
  FontStyles styles;
  std::size_t start = 0;
  while (start <= list.size() && !list.empty()) {
    const std::size_t comma = list.find(',', start);
    const std::string item =
        list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (item == "bold") {
      styles = styles.With(FontStyle::Bold);
    } else if (item == "italic") {
      styles = styles.With(FontStyle::Italic);
    } else if (item == "underline") {
      styles = styles.With(FontStyle::Underline);
    } else if (item == "strike") {
      styles = styles.With(FontStyle::StrikeOut);
    } else if (!item.empty()) {
      throw UsageError{"unknown font style '" + item +
                       "' (styles: bold, italic, underline, strike)"};
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return styles;
}

TextColor ParseColor(const std::string& text) {
  if (text == "auto") return kWindowTextColor;
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  if (text.size() == 7 && text[0] == '#') {
    int channels[3];
    bool ok = true;
    for (int i = 0; i < 3; ++i) {
      const int high = hex(text[1 + 2 * i]);
      const int low = hex(text[2 + 2 * i]);
      ok = ok && high >= 0 && low >= 0;
      channels[i] = high * 16 + low;
    }
    if (ok) {
      return MakeRgb(static_cast<std::uint8_t>(channels[0]), static_cast<std::uint8_t>(channels[1]),
                     static_cast<std::uint8_t>(channels[2]));
    }
  }
  throw UsageError{"bad colour '" + text + "' (expected auto or #RRGGBB)"};
}

OutputFormat ParseFormat(const std::string& text) {
  if (text == "rtf") return OutputFormat::Rtf;
  if (text == "json") return OutputFormat::Json;
  if (text == "text") return OutputFormat::Text;
  if (text == "html") return OutputFormat::Html;
  throw UsageError{"unknown output format '" + text + "' (formats: rtf, json, text, html)"};
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& arguments, const LanguageTable& languages) {
  Options options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string arg = arguments[i];
    std::optional<std::string> attached;
    if (!optionsEnded && arg.rfind("--", 0) == 0 && arg.size() > 2) {
      if (const auto eq = arg.find('='); eq != std::string::npos) {
        attached = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
      }
    } else if (!optionsEnded && arg.size() > 2 && arg[0] == '-' && arg[1] != '-') {
      // "-mpascal": a short option with its value attached.
      attached = arg.substr(2);
      arg = arg.substr(0, 2);
    }
    auto value = [&]() -> std::string {
      if (attached) return *attached;
      if (i + 1 >= arguments.size()) throw UsageError{"option '" + arg + "' needs a value"};
      return arguments[++i];
    };
    auto noValue = [&] {
      if (attached) throw UsageError{"option '" + arg + "' takes no value"};
    };

    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      options.inputs.push_back(arguments[i]);
    } else if (arg == "--") {
      noValue();
      optionsEnded = true;
    } else if (arg == "-m" || arg == "--mode") {
      const std::string mode = value();
      options.language = ParseMode(mode, languages);
      options.autoMode = mode == "auto";
    } else if (arg == "-c" || arg == "--colour") {
      noValue();
      options.useColor = true;
    } else if (arg == "-k" || arg == "--keywords") {
      std::string directory = value();
      if (!IsDirectory(directory)) {
        throw UsageError{"keyword directory '" + directory + "' is not a directory"};
      }
      if (directory.back() != '/') directory += '/';
      options.keywordDirectory = directory;
    } else if (arg == "-t" || arg == "--to") {
      options.format = ParseFormat(value());
    } else if (arg == "-o" || arg == "--output") {
      options.output = value();
      if (options.output.empty()) throw UsageError{"empty output file name"};
    } else if (arg == "--font") {
      options.fontName = value();
    } else if (arg == "--size") {
      const std::string text = value();
      const auto size = ParseInt(text);
      if (!size || *size < kSmallestFontSize || *size > kLargestFontSize) {
        throw UsageError{"bad font size '" + text + "' (expected a whole number of points, " +
                         std::to_string(kSmallestFontSize) + " to " +
                         std::to_string(kLargestFontSize) + ")"};
      }
      options.fontSize = *size;
    } else if (arg == "--font-style") {
      options.fontStyle = ParseFontStyle(value());
    } else if (arg == "--font-color") {
      options.fontColor = ParseColor(value());
    } else if (arg == "--list-modes") {
      noValue();
      options.listModes = true;
    } else if (arg == "-h" || arg == "--help") {
      noValue();
      options.help = true;
    } else if (arg == "--version") {
      noValue();
      options.version = true;
    } else {
      throw UsageError{"unknown option '" + arguments[i] + "'"};
    }
  }
  // Standard input has no name to choose by; a file whose extension names no
  // language is only skipped, when it is converted.
  const bool readsStandardInput =
      options.inputs.empty() ||
      std::find(options.inputs.begin(), options.inputs.end(), "-") != options.inputs.end();
  if (options.autoMode && readsStandardInput) {
    throw UsageError{
        "--mode auto cannot choose a mode for standard input (modes: asm, pascal, matlab, a "
        "language of --list-modes, reset, none or an integer)"};
  }
  if (options.inputs.size() > 1 && (options.output == "-" || options.output.back() != '/')) {
    throw UsageError{"several inputs need an output directory: -o DIR/"};
  }
  return options;
}

std::string OutputExtension(OutputFormat format) {
  switch (format) {
    case OutputFormat::Rtf:
      return ".rtf";
    case OutputFormat::Json:
      return ".json";
    case OutputFormat::Text:
      return ".txt";
    case OutputFormat::Html:
      return ".html";
  }
  return ".rtf";
}

namespace {

// Lines of at most `width` characters, each after `indent`, of the words.
std::string Wrapped(const std::vector<std::string>& words, std::size_t indent, std::size_t width) {
  std::string text;
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      text += std::string(indent, ' ') + line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  if (!line.empty()) text += std::string(indent, ' ') + line + "\n";
  return text;
}

std::string DottedExtensions(const Language& language) {
  std::string text;
  for (const std::string& extension : language.extensions) {
    text += (text.empty() ? "." : " .") + extension;
  }
  return text;
}

// The --mode part of --help, from the language table.
std::string ModeHelp(const LanguageTable& languages) {
  std::string filters;
  std::vector<std::string> definitions;
  for (const Language& language : languages.Rows()) {
    if (language.runner == LanguageRunner::kFilter) {
      std::string extensions = DottedExtensions(language);
      extensions.resize(std::max<std::size_t>(extensions.size() + 1, 25), ' ');
      filters += "                           " + extensions + language.word + "\n";
    } else if (language.runner == LanguageRunner::kDefinition) {
      definitions.push_back(language.word);
    }
  }
  std::sort(definitions.begin(), definitions.end());
  return "  -m, --mode MODE        asm, pascal, matlab: a formatting run with that filter;\n"
         "                         a language definition's word: a formatting run with\n"
         "                         that definition; installed here:\n" +
         Wrapped(definitions, 27, 52) +
         "                         reset: the document reset to the base font only;\n"
         "                         none: load and write only (default);\n"
         "                         an integer: an emphasis mode (1 assembler, 2 Pascal,\n"
         "                         4 MATLAB; any other integer resets only);\n"
         "                         auto: the language chosen by each input's extension:\n" +
         filters +
         "                           and each definition's (--list-modes)\n"
         "                         (letter case ignored; an input with any other\n"
         "                         extension is reported and skipped; standard\n"
         "                         input is a usage error)\n";
}

}  // namespace

std::string ModeList(const LanguageTable& languages) {
  std::string list;
  for (const Language& language : languages.Rows()) {
    if (language.word.empty()) continue;
    list += language.word + "\t" + language.caption + "\t" + DottedExtensions(language) + "\n";
  }
  return list;
}

std::string HelpText(const LanguageTable& languages) {
  return R"(Usage: markwell-cli [OPTIONS] [INPUT...]

Loads a document (RTF, or plain text: UTF-8 or windows-1250), optionally
emphasises its source code exactly as the Markwell editor does, and writes
the result. INPUT is a file; absent or '-' reads standard input. Several
inputs need an output directory (-o DIR/): each INPUT is written to
DIR/NAME.rtf (.json, .txt, .html), and DIR is made (with its parents) when
missing. A failing input is reported and the rest are still converted. Of
two inputs with one output name (a/unit.pas, b/unit.pas) the first is
written; the later one is reported and not written.

Options:
)" + ModeHelp(languages) +
         R"(  -c, --colour           colour the tokens of pascal and of every language
                         definition too (the use-colour toggle)
      --list-modes       list every language: word, caption, extensions
  -k, --keywords DIR     directory holding DelphiKey.txt and MatlabKey.txt
                         (default: the directory of this program); a DIR
                         that is not a directory is a usage error
  -t, --to FORMAT        rtf (default), json, text or html
  -o, --output FILE      where to write; '-' is standard output (default);
                         a name ending in '/' is a directory, made
                         when missing
      --font NAME        base font name (default: Times New Roman)
      --size N           base font size in whole points, 1 to 1638 (default: 10)
      --font-style LIST  base font style: bold,italic,underline,strike (default: none)
      --font-color COLOR base font colour: auto (default) or #RRGGBB
  -h, --help             show this help and exit
      --version          show the version and exit

Output formats: rtf is the document as the editor saves it; json describes
the text (CR LF line breaks), the selection and the runs of equal format;
text is the document's text in UTF-8 with CR LF line breaks; html is a
standalone page (UTF-8, inline styles, <pre>) with the same formats as the RTF.

Saving: an existing file is replaced only when the whole write succeeded,
and only when it may be written. Where the directory takes no new file, or
the file has other hard links or another owner or group, it is written in
place instead, keeping its links, owner, group and mode; a copy of the old
content in the temporary directory ($TMPDIR or /tmp) puts it back if that
write fails. An output that replaces an existing file is synced to disk
before it takes the file's name; a new name is not synced, since nothing
was there to lose. An output that is not a regular file (a pipe, a
terminal, a character device such as /dev/stdout, directly or through a
symbolic link) is opened and written as it is, like -o -.

Messages go to standard error. Each names the input it concerns and ends
with the system's reason where there is one, for example
  markwell-cli: a.pas: Cannot create file out/a.rtf: No such file or directory

Exit status: 0 on success; 1 when an input cannot be read or is skipped, or
an output cannot be written (the other inputs are still converted); 2 for a
usage error.

Examples:
  markwell-cli --mode pascal --colour -o unit1.rtf unit1.pas
  markwell-cli --mode auto -o out/ *.pas *.m
)";
}

std::string VersionText() {
  return std::string("markwell-cli ") + kVersion + "\n";
}

}  // namespace markwell::cli
