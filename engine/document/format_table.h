// The distinct character formats of one document. Characters refer to their
// format by index, so that a format write costs a table look-up per run of
// equal formats instead of a string copy per character.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/char_format.h"

namespace markwell {

class FormatTable {
 public:
  using Index = std::uint32_t;

  // The index of `format`, adding it when it is new.
  Index Intern(const CharFormat& format);
  const CharFormat& Get(Index index) const { return formats_[index]; }
  std::size_t Size() const { return formats_.size(); }

  // The index of the format `index` with one attribute replaced. Remembered,
  // since a run asks the same question for every token.
  Index WithStyle(Index index, FontStyles style);
  Index WithColor(Index index, TextColor color);
  Index WithName(Index index, std::string_view name);
  Index WithSize(Index index, int size);
  // WithStyle, then WithColor: the two writes of a coloured token, asked
  // for the same few formats throughout a run and remembered as one answer.
  Index WithStyleThenColor(Index index, FontStyles style, TextColor color);

 private:
  struct Key {
    std::uint8_t style;
    TextColor color;
    std::uint32_t fontId;
    std::int32_t size;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const;
  };
  struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };

  std::uint32_t FontId(std::string_view name);
  Index InternKey(const Key& key, const CharFormat& format);
  template <typename Change>
  Index Derive(Index index, int attribute, const Key& wanted, Change change);

  std::vector<CharFormat> formats_;
  std::vector<Key> keys_;
  std::unordered_map<Key, Index, KeyHash> byKey_;
  std::vector<std::string> fontNames_;
  std::unordered_map<std::string, std::uint32_t, StringHash, std::equal_to<>> fontIds_;
  std::unordered_map<std::uint64_t, Index> derived_;
  // The latest answers of derived_, by memo key: a run asks a few questions
  // over and over, and this spares the hash map most of them.
  struct RecentDerivation {
    std::uint64_t memo = ~std::uint64_t{0};
    Index result = 0;
  };
  std::array<RecentDerivation, 64> recent_{};  // indexed by the top six bits of a hash
  struct RecentStyleThenColor {
    Index from = ~Index{0};  // never an index: nothing remembered
    std::uint8_t style = 0;
    TextColor color = 0;
    Index result = 0;
  };
  std::array<RecentStyleThenColor, 8> recentStyleThenColor_{};  // by the top three bits of a hash
};

}  // namespace markwell
