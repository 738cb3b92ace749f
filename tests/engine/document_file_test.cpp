#include "files/document_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "files/engine_error.h"
#include "files/safe_file_writer.h"

namespace markwell {
namespace {

namespace fs = std::filesystem;

// The message and the system's reason of the error that `action` raises.
std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EngineError& error) {
    return error.what() + (error.Reason().empty() ? "" : ": " + error.Reason());
  }
  return "";
}

constexpr uid_t kNobody = 65534;

class DocumentFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory = fs::temp_directory_path() /
                ("markwell-files-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(directory);
    // The copies an in-place save keeps go here, where a test can see them.
    temporary = directory.string() + "-tmp";
    fs::create_directories(temporary);
    const char* previous = std::getenv("TMPDIR");
    if (previous) previousTemporary = previous;
    ::setenv("TMPDIR", temporary.c_str(), 1);
  }
  void TearDown() override {
    if (previousTemporary) {
      ::setenv("TMPDIR", previousTemporary->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
    fs::permissions(directory, fs::perms::owner_all);
    fs::remove_all(directory);
    fs::remove_all(temporary);
  }
  std::string Path(const char* name) const { return (directory / name).string(); }
  void Write(const char* name, const std::string& bytes) {
    std::ofstream(directory / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  static struct stat StatOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
  }
  // Runs `action` with writes beyond `bytes` failing, as on a full disk.
  static void WithFileSizeLimit(rlim_t bytes, const std::function<void()>& action) {
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    action();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
  }
  // Only the temporary-free listing: the names in the directory.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path directory;
  fs::path temporary;
  std::optional<std::string> previousTemporary;
  Document document;
};

TEST_F(DocumentFileTest, PlainTextLoadsInTheBaseFont) {
  Write("a.pas", "begin\nend.");
  document.Font().SetName("Courier New");
  LoadFromFile(document, Path("a.pas"));
  EXPECT_EQ(document.Text(), u"begin\r\nend.");
  EXPECT_EQ(document.Content().FormatAt(0).fontName, "Courier New");
  EXPECT_EQ(document.SelStart(), 0);
}

// Plain text is decoded piece by piece as the file is read, RTF read whole;
// what a file loads is what its bytes load, also when a byte far into the
// file shows that it is not UTF-8.
TEST_F(DocumentFileTest, FilesOfEverySizeLoadAsTheirBytes) {
  std::string line = "x := 'a\xC4\x8D'; { comment }\n";
  std::string rtf = "{\\rtf1\\ansi{\\b bold}";
  for (int i = 0; i < 200000; ++i) rtf += " plain\\par";
  rtf += "}";
  std::vector<std::string> contents = {"", "a", rtf};
  for (std::size_t size :
       {std::size_t{65535}, std::size_t{65536}, std::size_t{65537}, (std::size_t{3} << 20) + 5}) {
    std::string text;
    while (text.size() < size) text += line;
    text.resize(size);
    contents.push_back(text);
  }
  contents.push_back(contents.back() + "\xE8");
  contents.push_back(std::string("\xFE\xFF\0a\0\r", 6));
  for (const std::string& bytes : contents) {
    Write("f", bytes);
    Document fromFile;
    Document fromBytes;
    LoadFromFile(fromFile, Path("f"));
    LoadFromBytes(fromBytes, bytes);
    ASSERT_EQ(fromFile.Text(), fromBytes.Text()) << bytes.size() << " bytes";
    ASSERT_EQ(fromFile.Content().Table().Size(), fromBytes.Content().Table().Size());
    for (int pos = 0; pos < fromFile.Length(); pos += 997) {
      ASSERT_EQ(fromFile.Content().FormatAt(pos), fromBytes.Content().FormatAt(pos)) << pos;
    }
  }
}

// A pipe has no length to size the buffer from: it grows as the bytes come.
TEST_F(DocumentFileTest, PipeIsReadToItsEnd) {
  const std::string path = Path("pipe");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  std::string bytes;
  for (int i = 0; i < 30000; ++i) bytes += "line " + std::to_string(i) + "\r\n";
  std::thread writer([&] { std::ofstream(path, std::ios::binary) << bytes; });
  LoadFromFile(document, path);
  writer.join();
  Document expected;
  LoadFromBytes(expected, bytes);
  EXPECT_EQ(document.Text(), expected.Text());
}

TEST_F(DocumentFileTest, LoadErrorsLeaveTheDocumentAsItWas) {
  document.SetText(u"kept");
  Write("binary.pas", std::string("\x01\x02\0\x03", 4));
  Write("late-nul.pas", std::string(1 << 20, 'a') + '\0');
  fs::create_directory(directory / "dir.pas");
  struct Case {
    std::string path, message;
  } cases[] = {
      {Path("missing.pas"),
       "Cannot open file " + Path("missing.pas") + ": No such file or directory"},
      {Path("dir.pas"), "Cannot open file " + Path("dir.pas") + ": Is a directory"},
      {Path("binary.pas"), "Failed to Load Stream"},
      {Path("late-nul.pas"), "Failed to Load Stream"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf([&] { LoadFromFile(document, c.path); }), c.message);
    EXPECT_EQ(document.Text(), u"kept");
  }
}

TEST_F(DocumentFileTest, SaveThenOpenKeepsTextAndFormats) {
  document.SetText(u"bold \u010Dá\r\nnext");
  document.SetSelStart(0);
  document.SetSelLength(4);
  document.SelAttributes().SetStyle(FontStyle::Bold);
  document.SelAttributes().SetColor(MakeRgb(0, 0, 128));
  SaveToFile(document, Path("out"));  // no extension: the name is used as it is
  Document reopened;
  LoadFromFile(reopened, Path("out"));
  EXPECT_EQ(reopened.Text(), document.Text());
  EXPECT_EQ(reopened.Content().FormatAt(0), document.Content().FormatAt(0));
  EXPECT_EQ(reopened.Content().FormatAt(5), document.Content().FormatAt(5));
  EXPECT_EQ(Names(), std::vector<std::string>{"out"});
}

TEST_F(DocumentFileTest, SavingReplacesAnExistingFileAndKeepsItsPermissions) {
  Write("old.rtf", "old");
  ::chmod(Path("old.rtf").c_str(), 0640);
  document.SetText(u"new");
  SaveToFile(document, Path("old.rtf"));
  EXPECT_EQ(Read(Path("old.rtf")).rfind("{\\rtf", 0), 0u);
  struct stat info {};
  ::stat(Path("old.rtf").c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(DocumentFileTest, SavingThroughASymbolicLinkReplacesItsTarget) {
  Write("target.rtf", "old");
  fs::create_symlink("target.rtf", directory / "link.rtf");
  document.SetText(u"new");
  SaveToFile(document, Path("link.rtf"));
  EXPECT_TRUE(fs::is_symlink(directory / "link.rtf"));
  EXPECT_EQ(Read(Path("target.rtf")).rfind("{\\rtf", 0), 0u);
}

TEST_F(DocumentFileTest, FailedSavesLeaveTheOldFileIntactAndNoTemporary) {
  document.SetText(u"new");
  fs::create_directory(directory / "dir");
  EXPECT_EQ(ErrorOf([&] { SaveToFile(document, Path("dir")); }),
            "Cannot create file " + Path("dir") + ": Is a directory");
  EXPECT_EQ(ErrorOf([&] { SaveToFile(document, Path("nowhere/x.rtf")); }),
            "Cannot create file " + Path("nowhere/x.rtf") + ": No such file or directory");
  EXPECT_EQ(Names(), std::vector<std::string>{"dir"});
}

// Where a new file in its place would lose something, the file itself is
// written: its other names see the new content, and it keeps its owner,
// group and mode. Only root can give a file to another owner.
TEST_F(DocumentFileTest, HardLinkedOrForeignFilesAreWrittenInPlace) {
  Write("linked.rtf", "old");
  fs::create_hard_link(directory / "linked.rtf", directory / "other-name.rtf");
  Write("foreign.rtf", "old");
  ::chmod(Path("foreign.rtf").c_str(), 0604);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(Path("foreign.rtf").c_str(), kNobody, kNobody), 0);
  }
  document.SetText(u"new");
  SaveToFile(document, Path("linked.rtf"));
  SaveToFile(document, Path("foreign.rtf"));
  EXPECT_EQ(Read(Path("other-name.rtf")).rfind("{\\rtf", 0), 0u);
  EXPECT_EQ(StatOf(Path("linked.rtf")).st_nlink, 2u);
  const struct stat foreign = StatOf(Path("foreign.rtf"));
  EXPECT_EQ(Read(Path("foreign.rtf")), Read(Path("linked.rtf")));
  EXPECT_EQ(foreign.st_mode & 07777, 0604u);
  if (root) {
    EXPECT_EQ(std::pair(foreign.st_uid, foreign.st_gid), std::pair(kNobody, kNobody));
  }
  EXPECT_TRUE(fs::is_empty(temporary));  // the copy of the old content is gone
}

// Root may write every file, so as root the action runs in a child process
// that has given up root for the "nobody" user, who owns the test's files.
std::string ErrorWithoutPrivileges(const std::function<void()>& action) {
  if (::geteuid() != 0) return ErrorOf(action);
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    std::string error = "cannot drop privileges";
    if (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0) {
      error = ErrorOf(action);
    }
    const bool sent =
        ::write(pipeEnds[1], error.data(), error.size()) == static_cast<ssize_t>(error.size());
    ::_exit(sent ? 0 : 1);
  }
  ::close(pipeEnds[1]);
  std::string error;
  char chunk[256];
  for (ssize_t got; (got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;) {
    error.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return error;
}

// A file that may not be written is refused, even where the directory would
// let it be replaced; a writable file in a read-only directory is written in
// place; a new file there cannot be made.
TEST_F(DocumentFileTest, PermissionsDecideBetweenReplacingWritingInPlaceAndRefusing) {
  Write("kept.rtf", "old bytes");
  Write("locked.rtf", "old bytes");
  ::chmod(Path("locked.rtf").c_str(), 0444);
  if (::geteuid() == 0) {
    for (const fs::path& path :
         {directory, directory / "kept.rtf", directory / "locked.rtf", temporary}) {
      ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
  }
  document.SetText(u"new");
  const auto save = [&](const char* name) {
    return ErrorWithoutPrivileges([&] { SaveToFile(document, Path(name)); });
  };
  EXPECT_EQ(save("locked.rtf"), "Cannot create file " + Path("locked.rtf") + ": Permission denied");
  fs::permissions(directory, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(save("kept.rtf"), "");
  EXPECT_EQ(save("new.rtf"), "Cannot create file " + Path("new.rtf") + ": Permission denied");
  fs::permissions(directory, fs::perms::owner_all);
  EXPECT_EQ(Read(Path("kept.rtf")).rfind("{\\rtf", 0), 0u);
  EXPECT_EQ(Read(Path("locked.rtf")), "old bytes");
  EXPECT_EQ(Names(), (std::vector<std::string>{"kept.rtf", "locked.rtf"}));
  EXPECT_TRUE(fs::is_empty(temporary));
}

// Replaced or written in place, a save that fails leaves the old content.
TEST_F(DocumentFileTest, FullDiskLeavesTheOldFileIntact) {
  Write("kept.rtf", "old bytes");
  Write("linked.rtf", "old bytes");
  fs::create_hard_link(directory / "linked.rtf", directory / "other-name.rtf");
  document.SetText(std::u16string(200000, u'x'));
  for (const char* name : {"kept.rtf", "linked.rtf"}) {
    std::string error;
    WithFileSizeLimit(4096, [&] { error = ErrorOf([&] { SaveToFile(document, Path(name)); }); });
    EXPECT_EQ(error, "Cannot create file " + Path(name) + ": File too large");
    EXPECT_EQ(Read(Path(name)), "old bytes") << name;
  }
  // The copy of the old content fails first, and the reason says so.
  std::string error;
  WithFileSizeLimit(4, [&] { error = ErrorOf([&] { SaveToFile(document, Path("linked.rtf")); }); });
  EXPECT_EQ(error, "Cannot create file " + Path("linked.rtf") +
                       ": keeping a copy of the old content in " + temporary.string() +
                       ": File too large");
  EXPECT_EQ(Names(), (std::vector<std::string>{"kept.rtf", "linked.rtf", "other-name.rtf"}));
  EXPECT_TRUE(fs::is_empty(temporary));
}

// The temporary beside a name near the longest a directory holds is cut to fit.
TEST_F(DocumentFileTest, LongestNamesAreReplaced) {
  const std::string name(NAME_MAX - 2, 'a');
  Write(name.c_str(), "old");
  SaveToFile(document, Path(name.c_str()));
  EXPECT_EQ(Read(Path(name.c_str())).rfind("{\\rtf", 0), 0u);
  EXPECT_EQ(Names(), std::vector<std::string>{name});
}

TEST(ReplacingLosesTest, LinksOwnerOrGroup) {
  struct Case {
    FileIdentity file;
    bool loses;
  } cases[] = {
      {{1, 1000, 100}, false},  // ours, one name: replaced
      {{2, 1000, 100}, true},   // a hard link elsewhere
      {{1, 0, 100}, true},      // another owner
      {{1, 1000, 0}, true},     // another group
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplacingLoses(c.file, 1000, 100), c.loses)
        << c.file.links << " " << c.file.owner << " " << c.file.group;
  }
}

TEST_F(DocumentFileTest, NonRegularTargetIsWrittenStraightInto) {
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
  document.SetText(u"piped");
  std::string received;
  std::thread reader([&] { received = Read(Path("pipe")); });
  SaveToFile(document, Path("pipe"));
  reader.join();
  EXPECT_EQ(received.rfind("{\\rtf", 0), 0u);
  EXPECT_TRUE(fs::is_fifo(directory / "pipe"));
}

TEST(FileExtensionTest, ExtensionRule) {
  struct Case {
    const char* name;
    const char* extension;
  } cases[] = {
      {"UNIT1.PAS", ".PAS"}, {"unit1.pas", ".PAS"},  {"Project.Dpr", ".DPR"}, {"a.pAs", ".PAS"},
      {"x.pas.bak", ".BAK"}, {"noext", ""},          {"dir.d\\file", ""},     {"c:file", ""},
      {"a.b:c", ""},         {"/home/x.y/file", ""}, {"/home/x/a.m", ".M"},   {"trailing.", "."},
  };
  for (const auto& c : cases) EXPECT_EQ(FileExtension(c.name), c.extension) << c.name;
}

}  // namespace
}  // namespace markwell
