// Real-looking sources under data/input/, run through the formatting run with
// the shipped keyword files, compared with their marking under
// data/reference/ (see RenderMarking for the form). After an intended
// change, tests/regenerate-references.sh rewrites the references.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "definitions/definition_library.h"
#include "definitions/installed_definitions.h"
#include "document/line_breaks.h"
#include "filter_test_support.h"
#include "languages/language_run.h"
#include "languages/language_table.h"
#include "run/formatting_run.h"
#include "text/utf8.h"

namespace markwell {
namespace {

using filter_test::RenderMarking;

// A case runs the language of `word` (the filters' words included), with colour.
struct GoldenCase {
  const char* name;
  const char* file;
  const char* word;
};

void PrintTo(const GoldenCase& c, std::ostream* os) {
  *os << c.name;
}

const GoldenCase kGoldenCases[] = {
    {"PascalUnit", "unit.pas", "pascal"},       {"MatlabScript", "script.m", "matlab"},
    {"AssemblerListing", "listing.asm", "asm"}, {"CProgram", "sample.c", "c"},
    {"PythonScript", "sample.py", "python"},    {"JavaClass", "Sample.java", "java"},
    {"SqlQueries", "sample.sql", "sql"},        {"ShellScript", "sample.sh", "sh"},
};

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The first differing line with two lines of context on either side.
std::string DescribeDifference(const std::string& expected, const std::string& actual) {
  const std::vector<std::string> want = SplitLines(expected);
  const std::vector<std::string> got = SplitLines(actual);
  std::size_t first = 0;
  while (first < want.size() && first < got.size() && want[first] == got[first]) ++first;
  const std::size_t from = first < 2 ? 0 : first - 2;
  std::ostringstream out;
  out << "first difference at line " << first + 1 << "\n";
  auto show = [&](const char* label, const std::vector<std::string>& lines) {
    out << label << ":\n";
    for (std::size_t i = from; i < std::min(lines.size(), first + 3); ++i) {
      out << (i == first ? ">> " : "   ") << i + 1 << ": " << lines[i] << "\n";
    }
    if (first >= lines.size()) out << ">> " << first + 1 << ": (end of text)\n";
  };
  show("expected", want);
  show("actual", got);
  return out.str();
}

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, MatchesReference) {
  const GoldenCase& c = GetParam();
  const std::string dataDir = MARKWELL_TEST_DATA_DIR;
  const std::optional<std::string> bytes = ReadFile(dataDir + "/input/" + c.file);
  ASSERT_TRUE(bytes) << "cannot read input " << c.file;
  const std::optional<std::u16string> source = DecodeUtf8(*bytes);
  ASSERT_TRUE(source) << c.file << " is not UTF-8";

  KeywordLists keywords;
  LoadKeywordLists(MARKWELL_KEYWORD_DIR, keywords);
  DefinitionLibrary definitions({LibraryDataDirectory()});
  const LanguageTable languages(FindInstalledDefinitions(definitions.Directories()).definitions);
  const Language* language = languages.ForWord(c.word);
  ASSERT_NE(language, nullptr) << c.word;
  Document document;
  document.SetText(*source);
  SilentProgress progress;
  RunLanguage(document, *language, RunSettings{keywords, definitions, true}, progress);

  EXPECT_EQ(document.Text(), NormaliseLineBreaks(*source));
  const std::string actual = RenderMarking(document);
  const std::string referencePath = dataDir + "/reference/" + c.file + ".ref";

  if (const char* regenerate = std::getenv("MARKWELL_REGENERATE"); regenerate && *regenerate) {
    std::ofstream out(referencePath, std::ios::binary | std::ios::trunc);
    out << actual;
    ASSERT_TRUE(out.flush()) << "cannot write " << referencePath;
    GTEST_SKIP() << "wrote " << referencePath;
  }
  const std::optional<std::string> expected = ReadFile(referencePath);
  ASSERT_TRUE(expected) << "no reference " << referencePath
                        << "; run tests/regenerate-references.sh";
  if (actual != *expected) {
    ADD_FAILURE() << c.file << " differs from " << referencePath << "\n"
                  << DescribeDifference(*expected, actual);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenTest, ::testing::ValuesIn(kGoldenCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace markwell
