// The keyword lists: one lower-cased entry per line of a keyword file, in
// file order, searched for a filter's words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scan/lowered_word.h"

namespace markwell {

class KeywordList {
 public:
  // Appends an entry, lower-casing "A" to "Z" only; nothing else is changed.
  void Add(std::string_view entry);
  const std::vector<std::string>& Entries() const { return entries_; }
  void Clear();

  // IsKeyword(list, text.substr(start, length)), for a word read in place:
  // the look-up may then take the units behind a short word in the same
  // read. Inline, for it runs at every word of a pass.
  bool ContainsWordAt(std::u16string_view text, std::size_t start, std::size_t length) const {
    // A filter's words are short and ASCII: their key is read at once.
    if (length <= kKeyBytes) {
      const scan::LoweredWord lowered = scan::LowerWord(text, start, length);
      if (lowered.ascii) return Find(Key{lowered.low, lowered.high, length}, {});
    }
    return ContainsOtherWord(text.substr(start, length));
  }

 private:
  friend bool IsKeyword(const KeywordList& list, std::string_view word);

  // A lowered word's first kKeyBytes bytes as two numbers, the first byte
  // lowest and zeros behind the word, and its length: two words of at most
  // kKeyBytes bytes are equal when their keys are.
  static constexpr std::size_t kKeyBytes = scan::kLoweredWordMax;
  struct Key {
    std::uint64_t low = 0;   // bytes 0 to 7
    std::uint64_t high = 0;  // bytes 8 to 15
    std::size_t length = 0;
    bool operator==(const Key&) const = default;
  };
  static Key KeyOf(std::string_view lowered);
  static std::size_t HashOf(const Key& key) {
    const std::uint64_t h =
        (key.low ^ (key.high * 0xC2B2AE3D27D4EB4Full) ^ key.length) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h ^ (h >> 32));
  }

  // Whether an entry equals the lowered word of this key; the word's bytes
  // are read only behind the key, when it is longer.
  bool Find(const Key& key, std::string_view lowered) const {
    if (slots_.empty()) return false;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = HashOf(key) & mask;; slot = (slot + 1) & mask) {
      const Slot& entry = slots_[slot];
      if (entry.entry == kNoEntry) return false;
      if (entry.key == key &&
          (key.length <= kKeyBytes || std::string_view(entries_[entry.entry]).substr(kKeyBytes) ==
                                          lowered.substr(kKeyBytes))) {
        return true;
      }
    }
  }

  // A word that is long or not ASCII, lowered and encoded in the 8-bit code
  // page.
  bool ContainsOtherWord(std::u16string_view word) const;

  void Place(const Key& key, std::size_t entry);

  static constexpr std::size_t kNoEntry = ~std::size_t{0};
  struct Slot {
    Key key;
    std::size_t entry = kNoEntry;  // the first entry of this spelling
  };

  std::vector<std::string> entries_;
  // The keyword set: each distinct entry once, by the hash of its key, in a
  // table of a power of two slots at most a quarter full, so that a look-up
  // seldom goes past its first slot.
  std::vector<Slot> slots_;
  std::size_t distinct_ = 0;
};

// Lower-cases "A" to "Z" (codes 65 to 90); every other byte stays.
std::string LowerAscii(std::string_view text);

// True when the word, with "A" to "Z" lower-cased, equals an entry exactly
// (the answer of a search of the entries in file order). A character beyond
// the 8-bit code page never matches, since no entry can hold it.
inline bool IsKeyword(const KeywordList& list, std::u16string_view word) {
  return list.ContainsWordAt(word, 0, word.size());
}
// The same for a word in the 8-bit code page.
bool IsKeyword(const KeywordList& list, std::string_view word);

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
