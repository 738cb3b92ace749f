// A set of short byte strings, for the keyword look-up of every word of a
// document: open addressing in a power-of-two table, a hash of eight bytes
// at a time (WordHash), no node to follow and no division. Its answers are those of a
// search of the words one by one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace markwell {

// The hash of a word, fed a byte at a time: eight bytes are gathered in a
// register and mixed in at once. Fed as a word is lowered, it spares a
// second pass over the word's bytes.
class WordHash {
 public:
  explicit WordHash(std::size_t length) : hash_(length) {}

  void Add(std::uint8_t byte) {
    block_ |= std::uint64_t{byte} << (8 * filled_);
    if (++filled_ == 8) Mix();
  }
  std::size_t Value() {
    if (filled_ > 0) Mix();
    return static_cast<std::size_t>(hash_ ^ (hash_ >> 32));
  }

  static std::size_t Of(std::string_view word) {
    WordHash hash(word.size());
    for (char c : word) hash.Add(static_cast<std::uint8_t>(c));
    return hash.Value();
  }

 private:
  void Mix() {
    hash_ = (hash_ ^ block_) * 0x9E3779B97F4A7C15ull;
    hash_ ^= hash_ >> 29;
    block_ = 0;
    filled_ = 0;
  }

  std::uint64_t hash_;
  std::uint64_t block_ = 0;
  unsigned filled_ = 0;
};

class WordSet {
 public:
  // Adds a word; a word already in the set changes nothing.
  void Insert(std::string_view word) {
    if (Contains(word)) return;
    words_.emplace_back(word);
    if (2 * words_.size() > slots_.size()) {
      Rehash(slots_.empty() ? 64 : 2 * slots_.size());
    } else {
      Place(words_.size() - 1);
    }
  }

  bool Contains(std::string_view word) const { return Contains(word, WordHash::Of(word)); }
  // The same, for a word whose WordHash is known.
  bool Contains(std::string_view word, std::size_t hash) const {
    if (slots_.empty()) return false;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      const std::uint32_t entry = slots_[slot];
      if (entry == kEmpty) return false;
      if (words_[entry - 1] == word) return true;
    }
  }

  void Clear() {
    words_.clear();
    slots_.clear();
  }

 private:
  static constexpr std::uint32_t kEmpty = 0;  // slots hold a word's position + 1

  void Place(std::size_t position) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = WordHash::Of(words_[position]) & mask;
    while (slots_[slot] != kEmpty) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::uint32_t>(position + 1);
  }

  void Rehash(std::size_t slotCount) {
    slots_.assign(slotCount, kEmpty);
    for (std::size_t position = 0; position < words_.size(); ++position) Place(position);
  }

  std::vector<std::string> words_;
  std::vector<std::uint32_t> slots_;
};

// A word of at most sixteen bytes held as two numbers: a set of them
// compares two numbers and a length where a WordSet compares bytes.
struct ShortWord {
  static constexpr std::size_t kMaxLength = 16;

  // Appends a byte; the word must be shorter than kMaxLength.
  void Append(std::uint8_t byte) {
    (length < 8 ? low : high) |= std::uint64_t{byte} << (8 * (length % 8));
    ++length;
  }
  std::size_t Hash() const {
    const std::uint64_t h = (low ^ (high * 0xC2B2AE3D27D4EB4Full) ^ length) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h ^ (h >> 32));
  }
  bool operator==(const ShortWord&) const = default;

  std::uint64_t low = 0;   // bytes 0 to 7, the first in the lowest byte
  std::uint64_t high = 0;  // bytes 8 to 15
  std::uint32_t length = 0;
};

class ShortWordSet {
 public:
  void Insert(const ShortWord& word) {
    if (Contains(word)) return;
    // At most a quarter full: a look seldom goes past its first slot.
    if (4 * (count_ + 1) > slots_.size()) Rehash(slots_.empty() ? 64 : 2 * slots_.size());
    Place(word);
    ++count_;
  }

  bool Contains(const ShortWord& word) const {
    if (slots_.empty()) return false;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = word.Hash() & mask;; slot = (slot + 1) & mask) {
      const Slot& entry = slots_[slot];
      if (!entry.used) return false;
      if (entry.word == word) return true;
    }
  }

  void Clear() {
    slots_.clear();
    count_ = 0;
  }

 private:
  struct Slot {
    ShortWord word;
    bool used = false;
  };

  void Place(const ShortWord& word) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = word.Hash() & mask;
    while (slots_[slot].used) slot = (slot + 1) & mask;
    slots_[slot] = Slot{word, true};
  }

  void Rehash(std::size_t slotCount) {
    std::vector<Slot> old(slotCount);
    old.swap(slots_);
    for (const Slot& entry : old) {
      if (entry.used) Place(entry.word);
    }
  }

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
};

}  // namespace markwell
