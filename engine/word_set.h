// A set of short byte strings, for the keyword look-up of every word of a
// document: open addressing in a power-of-two table, a hash of eight bytes
// at a time, no node to follow and no division. Its answers are those of a
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

  bool Contains(std::string_view word) const {
    if (slots_.empty()) return false;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = HashOf(word) & mask;; slot = (slot + 1) & mask) {
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

  static std::size_t HashOf(std::string_view word) {
    std::uint64_t hash = word.size();
    for (std::size_t i = 0; i < word.size(); i += 8) {
      std::uint64_t block = 0;
      std::memcpy(&block, word.data() + i, std::min<std::size_t>(8, word.size() - i));
      hash = (hash ^ block) * 0x9E3779B97F4A7C15ull;
      hash ^= hash >> 29;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
  }

  void Place(std::size_t position) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = HashOf(words_[position]) & mask;
    while (slots_[slot] != kEmpty) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::uint32_t>(position + 1);
  }

  void Rehash(std::size_t slots) {
    slots_.assign(slots, kEmpty);
    for (std::size_t position = 0; position < words_.size(); ++position) Place(position);
  }

  std::vector<std::string> words_;
  std::vector<std::uint32_t> slots_;
};

}  // namespace markwell
