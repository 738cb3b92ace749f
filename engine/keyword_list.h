// The keyword lists: one lower-cased entry per line of a keyword file, in
// file order, searched for a filter's words.
#pragma once

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace markwell {

class KeywordList {
 public:
  // Appends an entry, lower-casing "A" to "Z" only; nothing else is changed.
  void Add(std::string_view entry);
  const std::vector<std::string>& Entries() const { return entries_; }
  void Clear();

  // True when the word, lower-cased the same way, equals an entry exactly.
  // The answer is the one a linear search of the entries gives; a hash table
  // of the distinct entries gives it faster. Characters beyond the 8-bit
  // code page never match.
  // Inline, since most words of a program are rejected by their shape: a
  // filter asks for every word.
  bool Contains(std::u16string_view word) const {
    if (word.empty()) return !entries_.empty() && shapes_.test(Shape(0, 0, 0));
    const char16_t first = word.front();
    const char16_t last = word.back();
    // Words whose ends are ASCII are checked against the shapes first.
    if (first < 0x80 && last < 0x80 &&
        (word.size() > longestEntry_ ||
         !shapes_.test(Shape(word.size(), LowerAsciiByte(first), LowerAsciiByte(last))))) {
      return false;
    }
    return ContainsLowered(word);
  }
  bool Contains(std::string_view word) const;

 private:
  static std::uint8_t LowerAsciiByte(char16_t c) {
    return static_cast<std::uint8_t>(c >= u'A' && c <= u'Z' ? c + 32 : c);
  }
  // Contains after the shape test: lowers and hashes the word.
  bool ContainsLowered(std::u16string_view word) const;
  // False when no entry has `size` bytes: most words of a program are no
  // keyword, and this rejects many of them before any hashing.
  bool MayHoldLength(std::size_t size) const;
  // Whether an entry equals `lowered`, whose hash is `hash`.
  bool Find(std::string_view lowered, std::uint64_t hash) const;
  // Puts entries_[entry] into the table unless an equal entry is there.
  void Insert(std::size_t entry);
  void Rehash(std::size_t slotCount);

  std::vector<std::string> entries_;
  // Open addressing with linear probing over the distinct entries: a slot
  // holds an index into entries_ plus one, or 0 when free. Kept at most a
  // quarter full, so that a miss ends after a probe or two.
  std::vector<std::uint32_t> slots_;
  std::size_t distinct_ = 0;
  std::size_t longestEntry_ = 0;
  // The shape of an entry or a word: its length (up to 63) and the low five
  // bits of its first and last lowered byte, in 16 bits.
  static std::size_t Shape(std::size_t size, std::uint8_t first, std::uint8_t last) {
    return (std::min<std::size_t>(size, 63) << 10) | (std::size_t{first & 31u} << 5) | (last & 31u);
  }

  // Quick rejection before hashing: which lengths (up to 63), which first
  // bytes and which shapes the entries have. Few words of a program share
  // their shape with a keyword.
  std::bitset<64> lengths_;
  std::bitset<256> firstBytes_;
  std::bitset<1 << 16> shapes_;
  bool hasLongEntry_ = false;
};

// Lower-cases "A" to "Z" (codes 65 to 90); every other byte stays.
std::string LowerAscii(std::string_view text);

inline bool IsKeyword(const KeywordList& list, std::u16string_view word) {
  return list.Contains(word);
}

// The Pascal and the MATLAB keyword list, loaded once at start-up.
struct KeywordLists {
  KeywordList pascal;
  KeywordList matlab;
};

inline constexpr const char* kPascalKeywordFile = "DelphiKey.txt";
inline constexpr const char* kMatlabKeywordFile = "MatlabKey.txt";

// Parses the bytes of a keyword file into `list`: a line ends at CR, an LF
// directly after a CR belongs to the line end, any other LF is an ordinary
// character; the file ends at its last byte or at the first byte 26; a line
// end at the very end adds no empty entry.
void ParseKeywordFile(std::string_view bytes, KeywordList& list);

// Reads `directory` + DelphiKey.txt into the Pascal list, then
// `directory` + MatlabKey.txt into the MATLAB list. `directory` ends with a
// path separator (or is empty for the current directory). A failure raises
// EngineError with the I/O message ("File not found", ...) and stops loading;
// entries read before it stay.
void LoadKeywordLists(const std::string& directory, KeywordLists& lists);

// Reads one keyword file into `list`, with the same rules and errors.
void LoadKeywordFile(const std::string& path, KeywordList& list);

// The I/O message for an operating-system error number.
std::string IoErrorMessage(int errorNumber);

}  // namespace markwell
