// The keyword lists: one lower-cased entry per line of a keyword file, in
// file order, searched for a filter's words.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "keywords/word_set.h"
#include "scan/lowered_word.h"

namespace markwell {

class KeywordList {
 public:
  // Appends an entry, lower-casing "A" to "Z" only; nothing else is changed.
  void Add(std::string_view entry);
  const std::vector<std::string>& Entries() const { return entries_; }
  void Clear();

  // True when the word, lower-cased the same way, equals an entry exactly
  // (the answer of a search of the entries in file order). A character
  // beyond the 8-bit code page never matches, since no entry can hold it.
  bool Contains(std::u16string_view word) const;
  bool Contains(std::string_view word) const;
  // Contains(text.substr(start, length)), for a word read in place: the look-up
  // may then take the units behind a short word in the same read.
  // Inline, for it runs at every word of a pass.
  bool ContainsWordAt(std::u16string_view text, std::size_t start, std::size_t length) const {
    const std::u16string_view word = text.substr(start, length);
    if (entries_.empty()) return false;
    if (word.empty()) return MayBeEntry(0, 0);
    // A filter's words are short and ASCII: one look in a set of numbers.
    if (word.size() <= ShortWord::kMaxLength) {
      const scan::LoweredWord lowered = scan::LowerWord(text, start, word.size());
      if (lowered.ascii) {
        return MayBeEntry(static_cast<std::uint8_t>(lowered.low), word.size()) &&
               shortAscii_.Contains(
                   ShortWord{lowered.low, lowered.high, static_cast<std::uint32_t>(word.size())});
      }
    }
    return ContainsOtherWord(word);
  }

 private:
  static_assert(scan::kLoweredWordMax == ShortWord::kMaxLength);

  // A word that is long or not ASCII, lowered and encoded in the 8-bit code
  // page, against all entries.
  bool ContainsOtherWord(std::u16string_view word) const;

  // Whether an entry of this length (lengths from 31 on counted as 31)
  // starts with this lowered byte. Most words of a program are no keyword,
  // and this turns most of them away before any hashing.
  bool MayBeEntry(std::uint8_t first, std::size_t length) const {
    return (lengthsByFirstByte_[first] >> std::min<std::size_t>(length, 31) & 1) != 0;
  }

  std::vector<std::string> entries_;
  WordSet distinct_;
  // The entries of at most ShortWord::kMaxLength ASCII bytes, which are all
  // that a short ASCII word can equal.
  ShortWordSet shortAscii_;
  std::array<std::uint32_t, 256> lengthsByFirstByte_{};
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
// EngineError with the I/O message ("File not found", ...) and the system's
// reason, and stops loading; entries read before it stay.
void LoadKeywordLists(const std::string& directory, KeywordLists& lists);

// Reads one keyword file into `list`, with the same rules and errors.
void LoadKeywordFile(const std::string& path, KeywordList& list);

// The I/O message for an operating-system error number.
std::string IoErrorMessage(int errorNumber);

}  // namespace markwell
