#include "document/format_table.h"

namespace markwell {

std::size_t FormatTable::KeyHash::operator()(const Key& k) const {
  std::uint64_t h = k.style;
  h = h * 0x9E3779B97F4A7C15ull + k.color;
  h = h * 0x9E3779B97F4A7C15ull + k.fontId;
  h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.size);
  return static_cast<std::size_t>(h ^ (h >> 29));
}

std::uint32_t FormatTable::FontId(std::string_view name) {
  if (auto it = fontIds_.find(name); it != fontIds_.end()) return it->second;
  const auto id = static_cast<std::uint32_t>(fontNames_.size());
  fontNames_.emplace_back(name);
  fontIds_.emplace(std::string(name), id);
  return id;
}

FormatTable::Index FormatTable::InternKey(const Key& key, const CharFormat& format) {
  if (auto it = byKey_.find(key); it != byKey_.end()) return it->second;
  const auto index = static_cast<Index>(formats_.size());
  formats_.push_back(format);
  keys_.push_back(key);
  byKey_.emplace(key, index);
  return index;
}

FormatTable::Index FormatTable::Intern(const CharFormat& format) {
  const Key key{format.style.Bits(), format.color, FontId(format.fontName),
                static_cast<std::int32_t>(format.size)};
  return InternKey(key, format);
}

// Memo key: the source index, which attribute, and the attribute's new value.
// A hit is confirmed by comparing the packed keys, which is cheap.
template <typename Change>
FormatTable::Index FormatTable::Derive(Index index, int attribute, const Key& wanted,
                                       Change change) {
  std::uint64_t value = 0;
  switch (attribute) {
    case 0:
      value = wanted.style;
      break;
    case 1:
      value = wanted.color;
      break;
    case 2:
      value = wanted.fontId;
      break;
    default:
      value = static_cast<std::uint32_t>(wanted.size);
      break;
  }
  const std::uint64_t memo = (static_cast<std::uint64_t>(index) << 34) ^
                             (static_cast<std::uint64_t>(attribute) << 32) ^ value;
  // Any index whose key is `wanted` is the answer: keys are unique.
  RecentDerivation& recent = recent_[(memo * 0x9E3779B97F4A7C15ull) >> 58];
  if (recent.memo == memo && keys_[recent.result] == wanted) return recent.result;
  if (auto it = derived_.find(memo); it != derived_.end() && keys_[it->second] == wanted) {
    recent = {memo, it->second};
    return it->second;
  }
  CharFormat changed = formats_[index];
  change(changed);
  const Index result = InternKey(wanted, changed);
  derived_[memo] = result;
  recent = {memo, result};
  return result;
}

FormatTable::Index FormatTable::WithStyle(Index index, FontStyles style) {
  Key wanted = keys_[index];
  if (wanted.style == style.Bits()) return index;
  wanted.style = style.Bits();
  return Derive(index, 0, wanted, [&](CharFormat& f) { f.style = style; });
}

FormatTable::Index FormatTable::WithColor(Index index, TextColor color) {
  Key wanted = keys_[index];
  if (wanted.color == color) return index;
  wanted.color = color;
  return Derive(index, 1, wanted, [&](CharFormat& f) { f.color = color; });
}

FormatTable::Index FormatTable::WithName(Index index, std::string_view name) {
  Key wanted = keys_[index];
  const std::uint32_t id = FontId(name);
  if (wanted.fontId == id) return index;
  wanted.fontId = id;
  return Derive(index, 2, wanted, [&](CharFormat& f) { f.fontName = std::string(name); });
}

FormatTable::Index FormatTable::WithSize(Index index, int size) {
  Key wanted = keys_[index];
  if (wanted.size == size) return index;
  wanted.size = size;
  return Derive(index, 3, wanted, [&](CharFormat& f) { f.size = size; });
}

FormatTable::Index FormatTable::WithStyleThenColor(Index index, FontStyles style, TextColor color) {
  const std::uint64_t key =
      (std::uint64_t{index} << 40) ^ (std::uint64_t{style.Bits()} << 32) ^ color;
  RecentStyleThenColor& recent = recentStyleThenColor_[(key * 0x9E3779B97F4A7C15ull) >> 61];
  if (recent.from == index && recent.style == style.Bits() && recent.color == color) {
    return recent.result;
  }
  // The table only grows and keys are unique, so an answer stays true.
  const Index result = WithColor(WithStyle(index, style), NormaliseColor(color));
  recent = {index, style.Bits(), color, result};
  return result;
}

}  // namespace markwell
