#include "keyword_list.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include "byte_words.h"
#include "code_page.h"
#include "engine_error.h"

namespace markwell {

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return lower;
}

namespace {

// A hash of every byte, fed eight at a time in the order of the string (the
// first byte lowest) with the last group padded with zeros, so that a word
// can be hashed as it is lowered. Entries that share their length and a few
// bytes must not all land in one slot.
class ByteHash {
 public:
  explicit ByteHash(std::size_t size) : h_((size + 1) * 0xBF58476D1CE4E5B9ull) {}
  void Add(std::uint64_t group) {
    h_ = (h_ ^ group) * 0x9E3779B97F4A7C15ull;
    h_ ^= h_ >> 32;
  }
  std::uint64_t Value() const { return h_ ^ (h_ >> 29); }

 private:
  std::uint64_t h_;
};

std::uint64_t HashBytes(std::string_view s) {
  ByteHash hash(s.size());
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  std::size_t left = s.size();
  for (; left >= 8; left -= 8, p += 8) hash.Add(byte_words::Load(p));
  if (left > 0) {
    std::uint64_t group = 0;
    for (std::size_t k = 0; k < left; ++k) group |= std::uint64_t{p[k]} << (8 * k);
    hash.Add(group);
  }
  return hash.Value();
}

}  // namespace

void KeywordList::Insert(std::size_t entry) {
  const std::string& added = entries_[entry];
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = HashBytes(added) & mask;
  for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
    if (entries_[slots_[slot] - 1] == added) return;  // a repeat changes no answer
  }
  slots_[slot] = static_cast<std::uint32_t>(entry + 1);
  ++distinct_;
}

void KeywordList::Rehash(std::size_t slotCount) {
  std::vector<std::uint32_t> old(slotCount, 0);
  old.swap(slots_);
  distinct_ = 0;
  for (std::uint32_t slot : old) {
    if (slot != 0) Insert(slot - 1);
  }
}

void KeywordList::Add(std::string_view entry) {
  // A slot numbers its entry in 32 bits.
  if (entries_.size() >= UINT32_MAX - 1) throw std::bad_alloc();
  std::string lowered = LowerAscii(entry);
  // Room first: a failure to grow leaves the list as it was.
  if (slots_.empty() || (distinct_ + 1) * 4 > slots_.size()) {
    Rehash(std::max<std::size_t>(64, slots_.size() * 2));
  }
  entries_.push_back(std::move(lowered));
  Insert(entries_.size() - 1);
  const std::string& added = entries_.back();
  longestEntry_ = std::max(longestEntry_, added.size());
  if (added.size() < lengths_.size()) {
    lengths_.set(added.size());
  } else {
    hasLongEntry_ = true;
  }
  if (!added.empty()) firstBytes_.set(static_cast<std::uint8_t>(added[0]));
  const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(added[i]); };
  shapes_.set(added.empty() ? Shape(0, 0, 0)
                            : Shape(added.size(), byteAt(0), byteAt(added.size() - 1)));
}

void KeywordList::Clear() {
  entries_.clear();
  slots_.clear();
  distinct_ = 0;
  longestEntry_ = 0;
  lengths_.reset();
  firstBytes_.reset();
  shapes_.reset();
  hasLongEntry_ = false;
}

bool KeywordList::MayHoldLength(std::size_t size) const {
  if (size > longestEntry_ || entries_.empty()) return false;
  return size < lengths_.size() ? lengths_.test(size) : hasLongEntry_;
}

bool KeywordList::Find(std::string_view lowered, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
    if (entries_[slots_[slot] - 1] == lowered) return true;
  }
  return false;
}

bool KeywordList::Contains(std::string_view word) const {
  if (!MayHoldLength(word.size())) return false;
  const std::string lowered = LowerAscii(word);
  if (!lowered.empty() && !firstBytes_.test(static_cast<std::uint8_t>(lowered[0]))) return false;
  return Find(lowered, HashBytes(lowered));
}

bool KeywordList::ContainsLowered(std::u16string_view word) const {
  if (!MayHoldLength(word.size())) return false;
  // Words are short: lower-case into a buffer on the stack when it fits.
  char small[64];
  std::string large;
  char* bytes = small;
  if (word.size() > sizeof small) {
    large.resize(word.size());
    bytes = large.data();
  }
  ByteHash hash(word.size());
  std::uint64_t group = 0;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char16_t c = word[i];
    std::uint8_t byte = 0;
    if (c < 0x80) {
      byte = static_cast<std::uint8_t>(c >= u'A' && c <= u'Z' ? c + 32 : c);
    } else if (auto encoded = EncodeWindows1250(c)) {
      byte = *encoded;
    } else {
      return false;  // no entry of an 8-bit file holds this character
    }
    if (i == 0 && !firstBytes_.test(byte)) return false;
    bytes[i] = static_cast<char>(byte);
    group |= std::uint64_t{byte} << (8 * (i % 8));
    if (i % 8 == 7) {
      hash.Add(group);
      group = 0;
    }
  }
  if (word.size() % 8 != 0) hash.Add(group);
  return Find(std::string_view(bytes, word.size()), hash.Value());
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
  throw EngineError(IoErrorMessage(errorNumber));
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
