// Runs with language definitions: where the library's marks land in the
// document, what a broken definition or text does, and that two threads
// give the marks of one pass.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "definitions/definition_library.h"
#include "definitions/definition_tokenizer.h"
#include "definitions/installed_definitions.h"
#include "definitions/line_pieces.h"
#include "files/engine_error.h"
#include "filter_test_support.h"
#include "languages/known_languages.h"
#include "languages/language_run.h"

namespace markwell {
namespace {

namespace fs = std::filesystem;
using filter_test::RenderMarking;

DefinitionMarks Marks(std::u16string_view text, const std::string& file,
                      std::size_t twoThreadsFrom = SIZE_MAX) {
  DefinitionLibrary library({LibraryDataDirectory()});
  return TokenizeWithDefinition(
      text, library.Load(file), DefinitionLooks(), [](int) {}, twoThreadsFrom);
}

std::string Rendered(std::u16string_view text, const std::string& word) {
  DefinitionLibrary library({LibraryDataDirectory()});
  Language language{.caption = word,
                    .runner = LanguageRunner::kDefinition,
                    .definition = word + ".lang",
                    .looks = DefinitionLooks()};
  Document document;
  document.SetText(text);
  KeywordLists keywords;
  SilentProgress progress;
  RunLanguage(document, language, RunSettings{keywords, library, true}, progress);
  EXPECT_EQ(document.SelStart(), document.Length());
  return RenderMarking(document);
}

// Every kind of line break ends a line for the library, and no break takes a style.
TEST(DefinitionRunTest, LineBreaksEndLines) {
  struct Case {
    const char16_t* text;
    const char* marked;
  } cases[] = {
      {u"int a; /* x\r\ny */ b",
       "<DKey>int</DKey> a; <DKoment>/* x</DKoment>\n<DKoment>y */</DKoment> b"},
      {u"int a; /* x\ny */ b",
       "<DKey>int</DKey> a; <DKoment>/* x</DKoment>\n<DKoment>y */</DKoment> b"},
      {u"int a; /* x\ry */ b",
       "<DKey>int</DKey> a; <DKoment>/* x</DKoment>\n<DKoment>y */</DKoment> b"},
      {u"// a\r\nchar", "<DKoment>// a</DKoment>\n<DKey>char</DKey>"},
      {u"\"\u017elu\u0165 \U0001F600\" int", "<DText>\"žluť 😀\"</DText> <DKey>int</DKey>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Rendered(c.text, "c"), c.marked) << c.marked;
}

TEST(DefinitionRunTest, LongLinesGoInPieces) {
  struct Case {
    std::u16string line;
    int first;
  } cases[] = {
      {std::u16string(kPieceLimit, u'a'), kPieceLimit},
      {u"ab cd" + std::u16string(kPieceLimit, u'e'), 3},
      {std::u16string(kPieceLimit + 5, u'a'), kPieceLimit},
      {std::u16string(kPieceLimit - 1, u'a') + u"\U0001F600", kPieceLimit - 1},
      {std::u16string(kPieceLimit - 2, u'a') + u"_b" + u"cc", kPieceLimit},
  };
  for (const Case& c : cases) EXPECT_EQ(FirstPieceLength(c.line), c.first);
  // A keyword on a line of many pieces is found wherever it stands.
  std::u16string line;
  while (line.size() < 5 * kPieceLimit) line += u"x = y + 1; return ";
  std::size_t keywords = 0;
  for (const DefinitionMark& mark : Marks(line, "c.lang"))
    keywords += mark.style == TokenStyle::kPascalKeyword;
  EXPECT_EQ(keywords, (line.size() + 2) / 18);
}

// Both stretches on their threads, the second begun in the start state, give
// what one pass gives: also when a comment is open across the split.
TEST(DefinitionRunTest, TwoStretchesGiveOnePass) {
  for (const std::u16string middle : {u"int i;\n", u"/* open\n", u"\"unclosed\n", u"/* never\n"}) {
    std::u16string text;
    for (int i = 0; i < 200; ++i) text += i == 100 ? middle : u"char *s = \"a\"; // c\n";
    for (int i = 0; i < 50 && middle != u"/* never\n"; ++i) text += u"*/ return 0;\r\n";
    EXPECT_EQ(Marks(text, "c.lang", 1).size(), Marks(text, "c.lang").size());
    const auto one = Marks(text, "c.lang");
    const auto two = Marks(text, "c.lang", 1);
    ASSERT_EQ(one.size(), two.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
      EXPECT_TRUE(one[i].start == two[i].start && one[i].length == two[i].length &&
                  one[i].style == two[i].style)
          << i;
    }
  }
}

// A definition that is missing, is none, or fails on the text: an error that
// names the file (and the line), and the document as it was.
TEST(DefinitionRunTest, BrokenDefinitionsChangeNothing) {
  const fs::path own =
      fs::temp_directory_path() / ("markwell-broken-" + std::to_string(::getpid()));
  fs::create_directories(own);
  std::ofstream(own / "syntax.lang") << "keyword = \"a\"\nfoo bar (\n";
  std::ofstream(own / "regex.lang") << "keyword = '(a'\n";
  std::ofstream(own / "explodes.lang") << "keyword = '(a|aa)*c'\n";
  std::ofstream(own / "binary.lang") << std::string("\x01\xff\0\x80 {{", 8);
  std::ofstream(own / "empty.lang") << "# nothing but a comment\n";
  const std::string dir = own.string() + "/";
  struct Case {
    const char* file;
    std::string message;
  } cases[] = {
      {"missing.lang", "missing.lang: Language definition not found"},
      {"syntax.lang", dir + "syntax.lang:2: syntax error"},
      {"regex.lang", dir + "regex.lang:1: problem in this expression: keyword (a"},
      {"explodes.lang", dir + "explodes.lang: "},
      {"binary.lang", dir + "binary.lang:1: syntax error"},
      {"empty.lang", dir + "empty.lang: No language definition"},
  };
  for (const Case& c : cases) {
    DefinitionLibrary library({dir});
    const Language language{.caption = "X",
                            .runner = LanguageRunner::kDefinition,
                            .definition = c.file,
                            .looks = DefinitionLooks()};
    Document document;
    document.SetText(std::u16string(20000, u'a'));
    document.SetSelStart(3);
    const Document before = document;
    KeywordLists keywords;
    SilentProgress progress;
    try {
      RunLanguage(document, language, RunSettings{keywords, library, true}, progress);
      ADD_FAILURE() << c.file << " ran";
    } catch (const EngineError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
    }
    EXPECT_EQ(RenderMarking(document), RenderMarking(before)) << c.file;
    EXPECT_EQ(document.SelStart(), 3) << c.file;
  }
  fs::remove_all(own);
}

// The library's parser leaks an open file on each failure: a definition that
// failed fails again without it, until the file changes.
TEST(DefinitionRunTest, AFailedDefinitionIsNotParsedAgain) {
  const fs::path own = fs::temp_directory_path() / ("markwell-again-" + std::to_string(::getpid()));
  fs::create_directories(own);
  std::ofstream(own / "x.lang") << "keyword = \"a\"\nfoo bar (\n";
  DefinitionLibrary library({own.string() + "/"});
  const auto openFiles = [] {
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
  };
  EXPECT_THROW(library.Load("x.lang"), EngineError);
  const auto before = openFiles();
  for (int i = 0; i < 5; ++i) EXPECT_THROW(library.Load("x.lang"), EngineError);
  EXPECT_EQ(openFiles(), before);
  std::ofstream(own / "x.lang") << "keyword = \"a\", \"bb\"\n";  // mended, and longer
  EXPECT_NO_THROW(library.Load("x.lang"));
  fs::remove_all(own);
}

}  // namespace
}  // namespace markwell
