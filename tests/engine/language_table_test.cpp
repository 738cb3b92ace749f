// The language table: which row an opened file or --mode auto chooses, and
// the rows that installed definitions add.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "definitions/definition_library.h"
#include "definitions/installed_definitions.h"
#include "files/document_file.h"
#include "languages/language_table.h"

namespace markwell {
namespace {

namespace fs = std::filesystem;

LanguageTable InstalledTable() {
  return LanguageTable(FindInstalledDefinitions({LibraryDataDirectory()}).definitions);
}

std::string CaptionOrNone(const Language* language) {
  return language == nullptr ? "(none)" : language->caption;
}

TEST(LanguageTableTest, OpenAndAutoChooseByExtension) {
  const LanguageTable table = InstalledTable();
  struct Case {
    const char* name;
    const char* opened;  // the style Open selects
    const char* chosen;  // the language --mode auto takes
  } cases[] = {
      {"UNIT1.PAS", "Delphi ", "Delphi "},
      {"Project.Dpr", "Delphi ", "Delphi "},
      {"a.pp", "(none)", "Delphi "},
      {"a.m", "(none)", "Matlab"},
      {"a.ASM", "(none)", "Assembler"},
      {"a.s", "(none)", "Assembler"},
      {"a.txt", "(none)", "(none)"},
      {"x.pas.bak", "(none)", "(none)"},
      {"noextension", "(none)", "(none)"},
      {"dir.c/readme", "(none)", "(none)"},
      {"main.c", "C", "C"},
      {"stdio.H", "C", "C"},
      {"x.cpp", "C++", "C++"},
      {"run.PY", "Python", "Python"},
      {"A.java", "Java", "Java"},
      {"q.sql", "SQL", "SQL"},
      {"b.sh", "Shell", "Shell"},
      {"p.xml", "XML", "XML"},
  };
  for (const Case& c : cases) {
    const std::string extension = FileExtension(c.name);
    EXPECT_EQ(CaptionOrNone(table.ForOpenedExtension(extension)), c.opened) << c.name;
    EXPECT_EQ(CaptionOrNone(table.ForExtension(extension)), c.chosen) << c.name;
  }
}

TEST(LanguageTableTest, WordsAndModes) {
  const LanguageTable table = InstalledTable();
  EXPECT_EQ(table.ForWord("pascal")->mode, 2);
  EXPECT_EQ(table.ForWord("c")->definition, "c.lang");
  EXPECT_EQ(table.ForWord("html"), nullptr);  // HTML keeps its entry without a filter
  EXPECT_EQ(table.ForWord("nohilite"), nullptr);
  EXPECT_EQ(table.ForMode(4).caption, "Matlab");
  EXPECT_EQ(table.ForMode(3).runner, LanguageRunner::kReset);
  // No two rows claim one extension.
  std::vector<std::string> all = table.AllExtensions();
  std::sort(all.begin(), all.end());
  EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
}

// A languages/ folder beside the program: its definitions come first, a new
// one takes its caption from its name and its extensions from its map.
TEST(LanguageTableTest, DefinitionsDroppedBesideTheProgram) {
  const fs::path own =
      fs::temp_directory_path() / ("markwell-languages-" + std::to_string(::getpid()));
  fs::create_directories(own);
  std::ofstream(own / "lang.map")
      << "foo = foo.lang\nFOO2 = foo.lang\nc = c.lang\nauto = auto.lang\n";
  for (const char* file : {"foo.lang", "auto.lang"})
    std::ofstream(own / file) << "keyword = \"x\"\n";
  fs::copy_file(LibraryDataDirectory() + "c.lang", own / "c.lang");
  const std::vector<std::string> directories = {own.string() + "/", LibraryDataDirectory()};

  const LanguageTable table(FindInstalledDefinitions(directories).definitions);
  const Language* foo = table.ForWord("foo");
  ASSERT_NE(foo, nullptr);
  EXPECT_EQ(foo->caption, "Foo");
  EXPECT_EQ(foo->extensions, (std::vector<std::string>{"foo2", "foo"}));
  EXPECT_EQ(table.ForWord("auto"), nullptr);  // the command line's own word
  EXPECT_EQ(DefinitionLibrary(directories).Locate("c.lang"), own.string() + "/c.lang");

  std::ofstream(own / "lang.map") << "foo = foo.lang\nnot a line\n";
  const DefinitionSearch broken = FindInstalledDefinitions(directories);
  ASSERT_EQ(broken.warnings.size(), 1u);
  EXPECT_EQ(broken.warnings[0].rfind(own.string() + "/lang.map:2: ", 0), 0u) << broken.warnings[0];
  fs::remove_all(own);
}

}  // namespace
}  // namespace markwell
