// markwell-cli: loads a document as the editor's Open command does,
// optionally runs one formatting run on it, and writes RTF, JSON, text or HTML.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document.h"
#include "document_file.h"
#include "engine_error.h"
#include "formatting_run.h"
#include "html_writer.h"
#include "json_writer.h"
#include "keyword_list.h"
#include "options.h"
#include "rtf_writer.h"
#include "safe_file_writer.h"
#include "terminal_progress.h"
#include "utf8.h"

namespace {

using namespace markwell;
using namespace markwell::cli;

constexpr const char* kProgram = "markwell-cli";

// The directory of the running executable, with a trailing separator.
std::string ExecutableDirectory() {
  std::vector<char> path(4096);
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return "./";
  std::string full(path.data(), static_cast<std::size_t>(length));
  return full.substr(0, full.rfind('/') + 1);
}

bool RunsAFilter(int mode) {
  return mode == kAssemblerMode || mode == kPascalMode || mode == kMatlabMode;
}

// Loads both lists as the editor does at start-up: the Pascal list, then the
// MATLAB list, stopping at the first failure. The failure is a warning that
// names the file, and the run goes on with the lists as they then stand.
void LoadKeywords(const std::string& directory, KeywordLists& lists) {
  const std::pair<const char*, KeywordList*> files[] = {{kPascalKeywordFile, &lists.pascal},
                                                        {kMatlabKeywordFile, &lists.matlab}};
  for (const auto& [name, list] : files) {
    try {
      LoadKeywordFile(directory + name, *list);
    } catch (const EngineError& error) {
      std::fprintf(stderr, "%s: warning: %s: %s\n", kProgram, name, error.what());
      return;
    }
  }
}

std::string ReadStandardInput() {
  std::string bytes;
  char chunk[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
    bytes.append(chunk, got);
    if (got < sizeof chunk) {
      if (std::ferror(stdin)) throw EngineError("Cannot open file -");
      break;
    }
  }
  return bytes;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The output of `input`: the -o name, or DIR/NAME.ext for an -o directory.
std::string OutputPathFor(const Options& options, const std::string& input) {
  if (options.output == "-" || options.output.back() != '/') return options.output;
  std::string name = input == "-" ? "stdin" : BaseName(input);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return options.output + name + OutputExtension(options.format);
}

void WriteOutput(const Document& document, const Options& options, const std::string& input,
                 std::ostream& out) {
  switch (options.format) {
    case OutputFormat::Rtf:
      WriteRtf(document.Content(), out);
      break;
    case OutputFormat::Json:
      WriteJson(document, out);
      break;
    case OutputFormat::Text:
      WriteUtf8(document.Text(), out);
      break;
    case OutputFormat::Html:
      WriteHtml(document.Content(), input == "-" ? "stdin" : BaseName(input), out);
      break;
  }
}

class Converter {
 public:
  explicit Converter(const Options& options) : options_(options) {}

  // Converts one input; an error is raised as EngineError.
  void Convert(const std::string& input) {
    Document document;
    BaseFont& font = document.Font();
    font.SetName(options_.fontName);
    font.SetSize(options_.fontSize);
    font.SetStyle(options_.fontStyle);
    font.SetColor(options_.fontColour);

    if (input == "-") {
      LoadFromBytes(document, ReadStandardInput());
    } else {
      LoadFromFile(document, input);
    }

    const std::optional<int> mode = options_.autoMode ? ModeForFileName(input) : options_.mode;
    if (mode) Run(document, *mode);

    const std::string output = OutputPathFor(options_, input);
    if (output == "-") {
      WriteOutput(document, options_, input, std::cout);
      std::cout.flush();
      if (!std::cout) throw EngineError("Cannot create file -");
    } else {
      const bool written = WriteFileSafely(
          output, [&](std::ostream& out) { WriteOutput(document, options_, input, out); });
      if (!written) throw EngineError("Cannot create file " + output);
    }
  }

 private:
  void Run(Document& document, int mode) {
    // The keyword files are read once, by the first run that needs them.
    if (RunsAFilter(mode) && !keywordsLoaded_) {
      LoadKeywords(options_.keywordDirectory.value_or(ExecutableDirectory()), keywords_);
      keywordsLoaded_ = true;
    }
    std::unique_ptr<ProgressView> progress;
    if (::isatty(STDERR_FILENO)) {
      progress = std::make_unique<TerminalProgress>(stderr);
    } else {
      progress = std::make_unique<SilentProgress>();
    }
    RunFormattingSteps(document, mode, keywords_, options_.useColour, *progress);
  }

  const Options& options_;
  KeywordLists keywords_;
  bool keywordsLoaded_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  Options options;
  try {
    options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", kProgram,
                 error.message.c_str(), kProgram);
    return 2;
  }
  if (options.help) {
    std::fputs(HelpText().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::fputs(VersionText().c_str(), stdout);
    return 0;
  }
  if (options.inputs.empty()) options.inputs.push_back("-");

  Converter converter(options);
  int status = 0;
  for (const std::string& input : options.inputs) {
    try {
      converter.Convert(input);
    } catch (const EngineError& error) {
      std::fprintf(stderr, "%s: %s\n", kProgram, error.what());
      status = 1;
    } catch (const std::bad_alloc&) {
      std::fprintf(stderr, "%s: Out of memory\n", kProgram);
      status = 1;
    }
  }
  return status;
}
