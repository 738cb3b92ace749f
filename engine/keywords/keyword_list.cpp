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
  entries_.push_back(LowerAscii(entry));
  const std::string& lowered = entries_.back();
  const Key key = KeyOf(lowered);
  if (Find(key, lowered)) return;  // a repeat
  if (4 * (distinct_ + 1) > slots_.size()) {
    std::vector<Slot> old(slots_.empty() ? 64 : 2 * slots_.size());
    old.swap(slots_);
    for (const Slot& slot : old) {
      if (slot.entry != kNoEntry) Place(slot.key, slot.entry);
    }
  }
  Place(key, entries_.size() - 1);
  ++distinct_;
}

void KeywordList::Place(const Key& key, std::size_t entry) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = HashOf(key) & mask;
  while (slots_[slot].entry != kNoEntry) slot = (slot + 1) & mask;
  slots_[slot] = Slot{key, entry};
}

void KeywordList::Clear() {
  entries_.clear();
  slots_.clear();
  distinct_ = 0;
}

KeywordList::Key KeywordList::KeyOf(std::string_view lowered) {
  Key key;
  key.length = lowered.size();
  for (std::size_t k = 0; k < lowered.size() && k < kKeyBytes; ++k) {
    (k < 8 ? key.low : key.high) |= std::uint64_t{static_cast<std::uint8_t>(lowered[k])}
                                    << (8 * (k % 8));
  }
  return key;
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
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char16_t c = word[i];
    if (c < 0x80) {
      bytes[i] = static_cast<char>(c >= u'A' && c <= u'Z' ? c + 32 : c);
    } else if (const auto encoded = EncodeWindows1250(c)) {
      bytes[i] = static_cast<char>(*encoded);
    } else {
      return false;
    }
  }
  const std::string_view lowered(bytes, word.size());
  return Find(KeyOf(lowered), lowered);
}

bool IsKeyword(const KeywordList& list, std::string_view word) {
  const std::string lowered = LowerAscii(word);
  return list.Find(KeywordList::KeyOf(lowered), lowered);
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
