// markwell-cli: loads one document as the editor's Open command does,
// optionally runs one formatting run on it, and writes RTF, JSON or text.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "document.h"
#include "document_file.h"
#include "engine_error.h"
#include "formatting_run.h"
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

void WriteOutput(const Document& document, OutputFormat format, std::ostream& out) {
  switch (format) {
    case OutputFormat::Rtf:
      WriteRtf(document.Content(), out);
      break;
    case OutputFormat::Json:
      WriteJson(document, out);
      break;
    case OutputFormat::Text:
      WriteUtf8(document.Text(), out);
      break;
  }
}

int Run(const Options& options) {
  Document document;
  BaseFont& font = document.Font();
  font.SetName(options.fontName);
  font.SetSize(options.fontSize);
  font.SetStyle(options.fontStyle);
  font.SetColor(options.fontColour);

  if (options.input == "-") {
    LoadFromBytes(document, ReadStandardInput());
  } else {
    LoadFromFile(document, options.input);
  }

  if (options.mode) {
    const int mode = *options.mode;
    KeywordLists keywords;
    if (mode == kAssemblerMode || mode == kPascalMode || mode == kMatlabMode) {
      LoadKeywords(options.keywordDirectory.value_or(ExecutableDirectory()), keywords);
    }
    std::unique_ptr<ProgressView> progress;
    if (::isatty(STDERR_FILENO)) {
      progress = std::make_unique<TerminalProgress>(stderr);
    } else {
      progress = std::make_unique<SilentProgress>();
    }
    RunFormattingSteps(document, mode, keywords, options.useColour, *progress);
  }

  if (options.output == "-") {
    WriteOutput(document, options.format, std::cout);
    std::cout.flush();
    if (!std::cout) throw EngineError("Cannot create file -");
  } else {
    const bool written = WriteFileSafely(
        options.output, [&](std::ostream& out) { WriteOutput(document, options.format, out); });
    if (!written) throw EngineError("Cannot create file " + options.output);
  }
  return 0;
}

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
  try {
    return Run(options);
  } catch (const EngineError& error) {
    std::fprintf(stderr, "%s: %s\n", kProgram, error.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: Out of memory\n", kProgram);
  }
  return 1;
}
