// Files as a user may really open them: empty, binary, huge, truncated or
// deliberately malformed. None may crash, hang or lose the document.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "files/document_file.h"
#include "files/engine_error.h"
#include "run/formatting_run.h"

namespace markwell {
namespace {

namespace fs = std::filesystem;

class HostileInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory = fs::temp_directory_path() /
                ("markwell-hostile-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(directory);
  }
  void TearDown() override { fs::remove_all(directory); }

  // Writes `bytes` to a file and opens it; the error message, or "" on success.
  std::string Open(const std::string& bytes) {
    const std::string path = (directory / "input").string();
    std::ofstream(path, std::ios::binary) << bytes;
    try {
      LoadFromFile(document, path);
    } catch (const EngineError& error) {
      return error.what();
    }
    return "";
  }

  fs::path directory;
  Document document;
};

std::string Repeat(const std::string& piece, int count) {
  std::string out;
  out.reserve(piece.size() * static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

TEST_F(HostileInputTest, FilesThatAreNotText) {
  std::mt19937 random(42);
  std::string binary(1 << 16, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  struct Case {
    const char* name;
    std::string bytes;
    std::string error;
  } cases[] = {
      {"empty file", "", ""},
      {"NUL bytes", std::string(4096, '\0'), "Failed to Load Stream"},
      {"random binary", binary, "Failed to Load Stream"},
  };
  for (const auto& c : cases) {
    document.SetText(u"kept");
    EXPECT_EQ(Open(c.bytes), c.error) << c.name;
    if (!c.error.empty()) {
      EXPECT_EQ(document.Text(), u"kept") << c.name;
    }
  }
  EXPECT_EQ(Open(""), "");
  EXPECT_EQ(document.Length(), 0);
}

TEST_F(HostileInputTest, MalformedRtfIsReadAsFarAsItMakesSense) {
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"100,000 nested groups", "{\\rtf1 " + Repeat("{", 100000) + "x" + Repeat("}", 100000) + "}"},
      {"unclosed nesting", "{\\rtf1 " + Repeat("{\\b ", 100000) + "x"},
      {"cut off in a group", "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\b bold"},
      {"cut off in an escape", "{\\rtf1 abc\\'e"},
      {"cut off after a backslash", "{\\rtf1 abc\\"},
      {"sizes out of range", "{\\rtf1\\fs99999999999999 a\\fs-2147483649 b\\fs0 c}"},
      {"colours out of range", "{\\rtf1{\\colortbl;\\red1;}\\cf99999 a\\cf-5 b\\cf1 c}"},
      {"unicode out of range",
       "{\\rtf1\\u99999999 a\\u-99999999 b\\uc-1\\u65 c\\uc99999999\\u66 d}"},
      {"huge colour table",
       "{\\rtf1{\\colortbl;" + Repeat("\\red255\\green0\\blue0;", 100000) + "}\\cf99999 x}"},
      {"stray closing braces", "{\\rtf1 a}}}}} b"},
      {"binary after the header", "{\\rtf1 " + std::string("\x01\xFF\x80\x00\x7F", 5) + "}"},
      {"bin with a huge length", "{\\rtf1\\bin999999999999 x}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string error = Open(c.bytes);
    EXPECT_TRUE(error.empty() || error == "Failed to Load Stream") << error;
    for (int i = 0; i < document.Length(); ++i) {
      ASSERT_LT(document.Content().IndexAt(i), document.Content().Table().Size());
    }
  }
}

TEST_F(HostileInputTest, FiftyMegabyteLineLoadsAndRuns) {
  std::string line(50 << 20, 'a');
  for (std::size_t i = 0; i < line.size(); i += 7) line[i] = ' ';
  ASSERT_EQ(Open(line), "");
  EXPECT_EQ(document.Length(), 50 << 20);
  KeywordLists keywords;
  keywords.pascal.Add("aaaaaa");
  SilentProgress progress;
  RunFormattingSteps(document, kPascalMode, keywords, true, progress);
  EXPECT_TRUE(document.Content().FormatAt(1).style.Has(FontStyle::Bold));
  EXPECT_EQ(document.SelStart(), document.Length());
}

TEST_F(HostileInputTest, FileLargerThanMemoryAllowsIsAClearError) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "an address-space limit and the address sanitizer do not mix";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "an address-space limit and the address sanitizer do not mix";
#endif
#endif
  // A sparse file of 2 GiB costs no disk; a child process with a small
  // address-space limit tries to open it.
  const std::string path = (directory / "huge.txt").string();
  { std::ofstream file(path, std::ios::binary); }
  fs::resize_file(path, std::uintmax_t{2} << 30);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    rlimit limit{rlim_t{512} << 20, rlim_t{512} << 20};
    ::setrlimit(RLIMIT_AS, &limit);
    try {
      Document huge;
      LoadFromFile(huge, path);
    } catch (const EngineError& error) {
      ::_exit(std::string(error.what()) == "Out of memory" ? 0 : 2);
    }
    ::_exit(3);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "the child crashed";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace markwell
