// markwell-cli: loads a document as the editor's Open command does,
// optionally runs one formatting run on it, and writes RTF, JSON, text or HTML.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "definitions/definition_library.h"
#include "definitions/installed_definitions.h"
#include "document/document.h"
#include "files/document_file.h"
#include "files/engine_error.h"
#include "files/safe_file_writer.h"
#include "keywords/keyword_list.h"
#include "languages/language_run.h"
#include "languages/language_table.h"
#include "options.h"
#include "rtf/rtf_writer.h"
#include "run/formatting_run.h"
#include "terminal_progress.h"
#include "text/utf8.h"
#include "writers/html_writer.h"
#include "writers/json_writer.h"

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
// names the path tried and the system's reason, and the run goes on with the
// lists as they then stand.
void LoadKeywords(const std::string& directory, KeywordLists& lists) {
  const std::pair<const char*, KeywordList*> files[] = {{kPascalKeywordFile, &lists.pascal},
                                                        {kMatlabKeywordFile, &lists.matlab}};
  for (const auto& [name, list] : files) {
    const std::string path = directory + name;
    try {
      LoadKeywordFile(path, *list);
    } catch (const EngineError& error) {
      std::string warning = path + ": " + error.what();
      if (!error.Reason().empty()) warning += ": " + error.Reason();
      std::fprintf(stderr, "%s: warning: %s\n", kProgram, warning.c_str());
      return;
    }
  }
}

std::string ReadStandardInput() {
  std::string bytes;
  char chunk[1 << 16];
  for (;;) {
    const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw EngineError("Cannot open file -", SystemReason(errno));
    if (got == 0) return bytes;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
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

// The standard stream (output or error) whose file `path` names, also
// through links such as /dev/stdout, if any: that stream is written as it
// stands, at its own offset and with its own flags, as -o - writes, and not
// replaced by a new file (which would lose what a `>>` appended to).
std::optional<int> StandardStreamAt(const std::string& path) {
  struct stat named {};
  if (::stat(path.c_str(), &named) != 0) return std::nullopt;
  for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
    struct stat open {};
    if (::fstat(stream, &open) == 0 && open.st_dev == named.st_dev && open.st_ino == named.st_ino) {
      return stream;
    }
  }
  return std::nullopt;
}

// The files this call has written and the input each came from, by the
// file's identity, so that one name reached two ways is still one file.
class WrittenOutputs {
 public:
  // The input whose output is the file at `path`, or null.
  const std::string* InputThatWrote(const std::string& path) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return nullptr;
    const auto found = inputs_.find({info.st_dev, info.st_ino});
    return found == inputs_.end() ? nullptr : &found->second;
  }
  void Add(const std::string& path, const std::string& input) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
      inputs_.emplace(std::pair(info.st_dev, info.st_ino), input);
  }

 private:
  std::map<std::pair<dev_t, ino_t>, std::string> inputs_;
};

// Makes the output directory of -o DIR/ with its parents, when missing.
void MakeOutputDirectory(const std::string& directory, const std::string& output) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  // A file of that name: the output cannot go "into" it.
  if (error == std::errc::file_exists) error = std::make_error_code(std::errc::not_a_directory);
  if (error) throw EngineError("Cannot create file " + output, error.message());
}

std::string AutoModeRefusal(const std::string& input) {
  const std::size_t dot = input.rfind('.');
  const std::size_t slash = input.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return "skipped: --mode auto knows no language for a name without an extension";
  }
  return "skipped: --mode auto knows no language for '" + input.substr(dot) + "'";
}

class Converter {
 public:
  Converter(const Options& options, const LanguageTable& languages,
            std::vector<std::string> definitionDirectories)
      : options_(options), languages_(languages), definitions_(std::move(definitionDirectories)) {}

  // Converts one input; an error is raised as EngineError.
  void Convert(const std::string& input) {
    const Language* language =
        options_.autoMode ? languages_.ForExtension(FileExtension(input)) : options_.language;
    if (options_.autoMode && language == nullptr) throw EngineError(AutoModeRefusal(input));
    const std::string output = OutputPathFor(options_, input);
    if (output != "-") {
      if (const std::string* first = written_.InputThatWrote(output)) {
        throw EngineError("not written: " + output + " is already the output of " + *first);
      }
    }

    Document document;
    BaseFont& font = document.Font();
    font.SetName(options_.fontName);
    font.SetSize(options_.fontSize);
    font.SetStyle(options_.fontStyle);
    font.SetColor(options_.fontColor);

    if (input == "-") {
      LoadFromBytes(document, ReadStandardInput());
    } else {
      LoadFromFile(document, input);
    }
    if (language != nullptr) Run(document, *language);

    const auto write = [&](std::ostream& out) { WriteOutput(document, options_, input, out); };
    const std::optional<int> stream = output == "-" ? STDOUT_FILENO : StandardStreamAt(output);
    if (stream) {
      if (const std::error_code error = WriteToDescriptor(*stream, write)) {
        throw EngineError("Cannot create file " + output, error.message());
      }
      return;
    }
    if (options_.output.back() == '/') MakeOutputDirectory(options_.output, output);
    if (const auto failure = WriteFileSafely(output, write)) {
      throw EngineError("Cannot create file " + output, failure->Reason());
    }
    written_.Add(output, input);
  }

 private:
  void Run(Document& document, const Language& language) {
    // The keyword files are read once, by the first run of a filter.
    if (language.runner == LanguageRunner::kFilter && !keywordsLoaded_) {
      LoadKeywords(options_.keywordDirectory.value_or(ExecutableDirectory()), keywords_);
      keywordsLoaded_ = true;
    }
    std::unique_ptr<ProgressView> progress;
    if (::isatty(STDERR_FILENO)) {
      progress = std::make_unique<TerminalProgress>(stderr);
    } else {
      progress = std::make_unique<SilentProgress>();
    }
    RunLanguage(document, language, RunSettings{keywords_, definitions_, options_.useColor},
                *progress);
  }

  const Options& options_;
  const LanguageTable& languages_;
  DefinitionLibrary definitions_;
  KeywordLists keywords_;
  bool keywordsLoaded_ = false;
  WrittenOutputs written_;
};

// One line on standard error: the program, the input, the message and the
// system's reason where there is one.
void Report(const std::string& input, const std::string& message, const std::string& reason) {
  std::string line = std::string(kProgram) + ": " + input + ": " + message;
  if (!reason.empty()) line += ": " + reason;
  std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // Past a file-size limit a write then fails and is reported and cleaned
  // up, instead of the signal killing the program with a temporary left.
  std::signal(SIGXFSZ, SIG_IGN);
  // The languages: the filters' and those of the definitions installed
  // beside this program and in the language library's folder.
  const std::vector<std::string> definitionDirectories =
      DefinitionDirectories(ExecutableDirectory());
  const DefinitionSearch installed = FindInstalledDefinitions(definitionDirectories);
  const LanguageTable languages(installed.definitions);
  Options options;
  try {
    options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), languages);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", kProgram,
                 error.message.c_str(), kProgram);
    return 2;
  }
  if (options.help) {
    std::fputs(HelpText(languages).c_str(), stdout);
    return 0;
  }
  if (options.listModes) {
    std::fputs(ModeList(languages).c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::fputs(VersionText().c_str(), stdout);
    return 0;
  }
  if (options.inputs.empty()) options.inputs.push_back("-");

  for (const std::string& warning : installed.warnings) {
    std::fprintf(stderr, "%s: warning: %s\n", kProgram, warning.c_str());
  }
  Converter converter(options, languages, definitionDirectories);
  int status = 0;
  for (const std::string& input : options.inputs) {
    try {
      converter.Convert(input);
    } catch (const EngineError& error) {
      Report(input, error.what(), error.Reason());
      status = 1;
    } catch (const std::bad_alloc&) {
      Report(input, "Out of memory", "");
      status = 1;
    }
  }
  return status;
}
