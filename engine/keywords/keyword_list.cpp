#include "keywords/keyword_list.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "files/engine_error.h"
#include "text/code_page.h"

namespace markwell {

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return lower;
}

void KeywordList::Add(std::string_view entry) {
  std::string lowered = LowerAscii(entry);
  const auto first = static_cast<std::uint8_t>(lowered.empty() ? 0 : lowered[0]);
  lengthsByFirstByte_[first] |= std::uint32_t{1} << std::min<std::size_t>(lowered.size(), 31);
  distinct_.Insert(lowered);
  if (lowered.size() <= ShortWord::kMaxLength &&
      std::ranges::all_of(lowered, [](char c) { return static_cast<std::uint8_t>(c) < 0x80; })) {
    ShortWord word;
    for (char c : lowered) word.Append(static_cast<std::uint8_t>(c));
    shortAscii_.Insert(word);
  }
  entries_.push_back(std::move(lowered));
}

void KeywordList::Clear() {
  entries_.clear();
  distinct_.Clear();
  shortAscii_.Clear();
  lengthsByFirstByte_.fill(0);
}

bool KeywordList::Contains(std::string_view word) const {
  return distinct_.Contains(LowerAscii(word));
}

bool KeywordList::Contains(std::u16string_view word) const {
  return ContainsWordAt(word, 0, word.size());
}

bool KeywordList::ContainsOtherWord(std::u16string_view word) const {
  // Words are short: they are lowered on the stack when they fit.
  char small[64];
  std::string large;
  char* bytes = small;
  if (word.size() > sizeof small) {
    large.resize(word.size());
    bytes = large.data();
  }
  // The hash is taken as the word is lowered: reading the lowered bytes back
  // at once would wait for each of them to be stored.
  WordHash hash(word.size());
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char16_t c = word[i];
    std::uint8_t lowered;
    if (c < 0x80) {
      lowered = static_cast<std::uint8_t>(c >= u'A' && c <= u'Z' ? c + 32 : c);
    } else if (const auto encoded = EncodeWindows1250(c)) {
      lowered = *encoded;
    } else {
      return false;
    }
    if (i == 0 && !MayBeEntry(lowered, word.size())) return false;
    bytes[i] = static_cast<char>(lowered);
    hash.Add(lowered);
  }
  return distinct_.Contains(std::string_view(bytes, word.size()), hash.Value());
}

namespace {

// Splits a keyword file into entries as its bytes arrive: a line ends at CR,
// an LF right after a CR belongs to that line end, byte 26 ends the file.
class KeywordFileParser {
 public:
  explicit KeywordFileParser(KeywordList& list) : list_(list) {}

  void Feed(std::string_view bytes) {
    for (char c : bytes) {
      if (ended_) return;
      if (afterCr_) {
        afterCr_ = false;
        if (c == '\n') continue;
      }
      if (c == '\x1A') {
        Finish();
        ended_ = true;
      } else if (c == '\r') {
        list_.Add(line_);
        line_.clear();
        inLine_ = false;
        afterCr_ = true;
      } else {
        line_ += c;
        inLine_ = true;
      }
    }
  }

  // The last line counts without a line end; nothing follows a line end at
  // the very end of the file.
  void Finish() {
    if (inLine_) list_.Add(line_);
    line_.clear();
    inLine_ = false;
  }

 private:
  KeywordList& list_;
  std::string line_;
  bool inLine_ = false;
  bool afterCr_ = false;
  bool ended_ = false;
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

[[noreturn]] void RaiseIoError(int errorNumber) {
  throw EngineError(IoErrorMessage(errorNumber), SystemReason(errorNumber));
}

}  // namespace

void LoadKeywordFile(const std::string& path, KeywordList& list) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) RaiseIoError(errno);
  KeywordFileParser parser(list);
  std::string buffer(64 * 1024, '\0');
  for (;;) {
    errno = 0;
    const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), file.get());
    parser.Feed(std::string_view(buffer.data(), read));
    if (read < buffer.size()) {
      // A line cut off by a read error is not an entry.
      if (std::ferror(file.get())) RaiseIoError(errno != 0 ? errno : EIO);
      break;
    }
  }
  parser.Finish();
  if (std::fclose(file.release()) != 0) RaiseIoError(errno);
}

void ParseKeywordFile(std::string_view bytes, KeywordList& list) {
  KeywordFileParser parser(list);
  parser.Feed(bytes);
  parser.Finish();
}

void LoadKeywordLists(const std::string& directory, KeywordLists& lists) {
  LoadKeywordFile(directory + kPascalKeywordFile, lists.pascal);
  LoadKeywordFile(directory + kMatlabKeywordFile, lists.matlab);
}

std::string IoErrorMessage(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
      return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EISDIR:
      return "File access denied";
    case ENOSPC:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(errorNumber);
  }
}

}  // namespace markwell
