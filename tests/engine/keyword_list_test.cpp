#include "keywords/keyword_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/engine_error.h"
#include "text/utf8.h"

namespace markwell {
namespace {

std::vector<std::string> Parse(std::string_view bytes) {
  KeywordList list;
  ParseKeywordFile(bytes, list);
  return list.Entries();
}

using Entries = std::vector<std::string>;

TEST(KeywordFileTest, LinesAndEndsOfFile) {
  struct Case {
    const char* name;
    std::string bytes;
    Entries entries;
  } cases[] = {
      {"upper case is lowered", "Begin\r\nEND\r\nProcedure", {"begin", "end", "procedure"}},
      {"final CR LF adds no entry", "a\r\nb\r\n", {"a", "b"}},
      {"lone CR ends a line", "a\rb", {"a", "b"}},
      {"LF alone is part of the entry", "a\nb\nc\n", {"a\nb\nc\n"}},
      {"LF after CR LF starts the next entry", "a\r\n\nb", {"a", "\nb"}},
      {"empty line is an empty entry", "a\r\n\r\nb", {"a", "", "b"}},
      {"a lone line end is one empty entry", "\r\n", {""}},
      {"empty file", "", {}},
      {"Ctrl-Z ends the file mid-line",
       "ab\x1A"
       "cd\r\nef",
       {"ab"}},
      {"Ctrl-Z at a line start adds nothing",
       "ab\r\n\x1A"
       "cd",
       {"ab"}},
      {"no trimming", " begin \t\r\n", {" begin \t"}},
      {"byte-order mark stays",
       "\xEF\xBB\xBF"
       "begin",
       {"\xEF\xBB\xBF"
        "begin"}},
      {"accented capitals stay",
       "\xC8"
       "AS",
       {"\xC8"
        "as"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(c.bytes), c.entries) << c.name;
  }
}

TEST(KeywordListTest, LookupLowersAsciiAndComparesExactly) {
  KeywordList list;
  for (const char* entry : {"begin", "end ", "",
                            "\xE8"
                            "as"})
    list.Add(entry);
  struct Case {
    std::u16string word;
    bool keyword;
  } cases[] = {
      {u"begin", true},     {u"BEGIN", true},    {u"Begin", true},
      {u"end", false},      {u"end ", true},     {u"", true},
      {u"beginx", false},   {u"\u010Das", true},  // č is byte 0xE8 in windows-1250
      {u"\u010Cas", false},                       // Č is not lowered
      {u"\u4E2D", false},                         // no 8-bit form at all
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsKeyword(list, c.word), c.keyword) << std::string(c.word.begin(), c.word.end());
  }
}

// The answer a linear search of the entries gives, which the hash table must
// give too.
bool LinearSearch(const KeywordList& list, std::string_view word) {
  const std::string lowered = LowerAscii(word);
  return std::find(list.Entries().begin(), list.Entries().end(), lowered) != list.Entries().end();
}

TEST(KeywordListTest, HashTableAgreesWithALinearSearch) {
  // Entries that share their length, first, middle and last bytes and differ
  // only in between; lengths around the eight-byte groups the hash reads;
  // repeats; an empty entry; and enough entries that the table grows often.
  std::vector<std::string> entries = {"", "begin", "BEGIN", "end", "x", "_"};
  for (int i = 0; i < 3000; ++i) {
    std::string entry = std::string("a").append(std::to_string(1000000 + i)).append("a");
    entry[4] = 'm';
    entries.push_back(entry);
  }
  for (std::size_t length = 1; length <= 33; ++length) {
    entries.push_back(std::string(length, 'k'));
    entries.push_back(std::string(length - 1, 'k') + "q");
  }
  KeywordList list;
  for (const std::string& entry : entries) list.Add(entry);
  list.Add("begin");  // a repeat

  std::vector<std::string> probes = {"", "begin", "Begin", "beginx", "egin", "END", "y", "__"};
  for (int i = -5; i < 3010; i += 7) {
    std::string probe = std::string("a").append(std::to_string(1000000 + i)).append("a");
    probe[4] = 'm';
    probes.push_back(probe);
    probe[3] = 'z';  // same length and outer bytes, no entry
    probes.push_back(probe);
  }
  for (std::size_t length = 0; length <= 35; ++length) {
    probes.push_back(std::string(length, 'K'));
    probes.push_back(std::string(length, 'k') + "q");
    probes.push_back(std::string("q").append(length, 'k'));
  }
  for (const std::string& probe : probes) {
    EXPECT_EQ(IsKeyword(list, probe), LinearSearch(list, probe)) << "'" << probe << "'";
    EXPECT_EQ(IsKeyword(list, Utf16(probe)), LinearSearch(list, probe)) << "'" << probe << "'";
    // In place, with text behind it that a look-up may read with the word.
    const std::u16string text = Utf16("(" + probe + std::string(20, ')'));
    EXPECT_EQ(list.ContainsWordAt(text, 1, probe.size()), LinearSearch(list, probe)) << probe;
  }
}

TEST(KeywordListTest, EmptyAndHugeEntries) {
  const std::string huge(1 << 20, 'w');
  struct Case {
    const char* name;
    std::vector<std::string> entries;
    std::string word;
    bool keyword;
  } cases[] = {
      {"an empty entry matches the empty word", {"a", ""}, "", true},
      {"no empty entry, no empty word", {"a"}, "", false},
      {"a 1 MB entry matches itself", {"begin", huge}, huge, true},
      {"upper case matches a 1 MB entry", {huge}, std::string(1 << 20, 'W'), true},
      {"one byte short of a 1 MB entry", {huge}, huge.substr(1), false},
      {"one byte differs at the end", {huge}, huge.substr(1) + "v", false},
  };
  for (const auto& c : cases) {
    KeywordList list;
    for (const std::string& entry : c.entries) list.Add(entry);
    EXPECT_EQ(IsKeyword(list, c.word), c.keyword) << c.name;
    EXPECT_EQ(IsKeyword(list, Utf16(c.word)), c.keyword) << c.name;
  }
}

TEST(KeywordListTest, ClearForgetsEveryEntry) {
  KeywordList list;
  for (int i = 0; i < 100; ++i) list.Add(std::string("w").append(std::to_string(i)));
  list.Clear();
  EXPECT_FALSE(IsKeyword(list, std::string_view("w1")));
  list.Add("w2");
  EXPECT_TRUE(IsKeyword(list, std::string_view("W2")));
  EXPECT_FALSE(IsKeyword(list, std::string_view("w1")));
}

TEST(KeywordListTest, EmptyListHasNoKeywords) {
  KeywordList list;
  EXPECT_FALSE(IsKeyword(list, u""));
  EXPECT_FALSE(IsKeyword(list, u"begin"));
}

class KeywordLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory = std::filesystem::temp_directory_path() /
                ("markwell-keywords-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory);
  }
  void TearDown() override {
    std::filesystem::permissions(directory, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(directory);
  }
  void Write(const char* name, const std::string& bytes) {
    std::ofstream(directory / name, std::ios::binary) << bytes;
  }
  std::string Dir() const { return directory.string() + "/"; }
  std::string LoadError(KeywordLists& lists) {
    try {
      LoadKeywordLists(Dir(), lists);
    } catch (const EngineError& error) {
      return error.what();
    }
    return "";
  }

  std::filesystem::path directory;
};

TEST_F(KeywordLoadingTest, LoadsBothFilesInOrder) {
  Write("DelphiKey.txt", "begin\r\nend\r\n");
  Write("MatlabKey.txt", "function");
  KeywordLists lists;
  EXPECT_EQ(LoadError(lists), "");
  EXPECT_EQ(lists.pascal.Entries(), (Entries{"begin", "end"}));
  EXPECT_EQ(lists.matlab.Entries(), (Entries{"function"}));
}

TEST_F(KeywordLoadingTest, MissingPascalFileLeavesBothListsEmpty) {
  Write("MatlabKey.txt", "function");
  KeywordLists lists;
  EXPECT_EQ(LoadError(lists), "File not found");
  EXPECT_TRUE(lists.pascal.Entries().empty());
  EXPECT_TRUE(lists.matlab.Entries().empty());
}

TEST_F(KeywordLoadingTest, MissingMatlabFileKeepsThePascalList) {
  Write("DelphiKey.txt", "begin");
  KeywordLists lists;
  EXPECT_EQ(LoadError(lists), "File not found");
  EXPECT_EQ(lists.pascal.Entries(), (Entries{"begin"}));
  EXPECT_TRUE(lists.matlab.Entries().empty());
}

TEST_F(KeywordLoadingTest, DirectoryInPlaceOfAFileIsAccessDenied) {
  std::filesystem::create_directory(directory / "DelphiKey.txt");
  KeywordLists lists;
  EXPECT_EQ(LoadError(lists), "File access denied");
}

TEST_F(KeywordLoadingTest, UnreadableFileIsAccessDenied) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  Write("DelphiKey.txt", "begin");
  ::chmod((directory / "DelphiKey.txt").c_str(), 0);
  KeywordLists lists;
  EXPECT_EQ(LoadError(lists), "File access denied");
}

TEST_F(KeywordLoadingTest, MissingDirectoryIsNotFound) {
  KeywordLists lists;
  try {
    LoadKeywordLists(Dir() + "nowhere/", lists);
    FAIL() << "no error";
  } catch (const EngineError& error) {
    EXPECT_EQ(std::string(error.what()), "File not found");
  }
}

TEST_F(KeywordLoadingTest, OneMegabyteLineIsOneEntry) {
  Write("DelphiKey.txt", std::string(1 << 20, 'X'));
  Write("MatlabKey.txt", "");
  KeywordLists lists;
  EXPECT_EQ(LoadError(lists), "");
  ASSERT_EQ(lists.pascal.Entries().size(), 1u);
  EXPECT_EQ(lists.pascal.Entries()[0], std::string(1 << 20, 'x'));
}

TEST(IoErrorMessageTest, KnownAndUnknownCodes) {
  EXPECT_EQ(IoErrorMessage(ENOENT), "File not found");
  EXPECT_EQ(IoErrorMessage(ENOTDIR), "Invalid filename");
  EXPECT_EQ(IoErrorMessage(EMFILE), "Too many open files");
  EXPECT_EQ(IoErrorMessage(EACCES), "File access denied");
  EXPECT_EQ(IoErrorMessage(ENOSPC), "Disk full");
  EXPECT_EQ(IoErrorMessage(EIO), "I/O error " + std::to_string(EIO));
}

}  // namespace
}  // namespace markwell
