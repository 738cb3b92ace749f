// The language library's own tokenizing of a file, line by line, with a
// formatter that does nothing: the floor of a run with a definition.
//   markwell-library-tokenize DEFINITION.lang FILE
// prints the seconds the tokenizing took (loading the definition and
// reading the file not included).
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <srchilite/formatter.h>
#include <srchilite/formattermanager.h>
#include <srchilite/langdefmanager.h>
#include <srchilite/regexrulefactory.h>
#include <srchilite/settings.h>
#include <srchilite/sourcehighlighter.h>
#include <boost/make_shared.hpp>

namespace {

class Ignore : public srchilite::Formatter {
 public:
  void format(const std::string&, const srchilite::FormatterParams*) override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: markwell-library-tokenize DEFINITION.lang FILE\n", stderr);
    return 2;
  }
  std::ifstream in(argv[2], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  srchilite::RegexRuleFactory factory;
  srchilite::LangDefManager manager(&factory);
  srchilite::SourceHighlighter highlighter(
      manager.getHighlightState(srchilite::Settings::getDefaultDataDir(), argv[1]));
  srchilite::FormatterManager formatters(boost::make_shared<Ignore>());
  highlighter.setFormatterManager(&formatters);

  const auto start = std::chrono::steady_clock::now();
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string::npos) end = text.size();
    highlighter.highlightParagraph(text.substr(begin, end - begin));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    begin = end + 1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.6f\n", took.count());
  return 0;
}
