// A class of UTF-16 units that a filter looks for: the identifier characters
// and up to four further ASCII characters (token openers, delimiters).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace markwell::scan {

// "A" to "Z", "a" to "z", "0" to "9" and "_". Everything else ends a word,
// accented letters and characters outside the 8-bit code page included.
constexpr bool IsIdentifierChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

class UnitClass {
 public:
  static constexpr std::size_t kMaxChars = 4;

  // The characters of `chars` (the first kMaxChars of them), and the
  // identifier characters when asked.
  constexpr explicit UnitClass(std::u16string_view chars, bool identifierChars = false)
      : identifierChars_(identifierChars),
        count_(chars.size() < kMaxChars ? chars.size() : kMaxChars) {
    for (std::size_t k = 0; k < count_; ++k) chars_[k] = chars[k];
  }

  constexpr bool Contains(char16_t c) const {
    if (identifierChars_ && IsIdentifierChar(c)) return true;
    for (std::size_t k = 0; k < count_; ++k) {
      if (chars_[k] == c) return true;
    }
    return false;
  }

  constexpr bool HasIdentifierChars() const { return identifierChars_; }
  constexpr std::size_t CharCount() const { return count_; }
  constexpr char16_t Char(std::size_t k) const { return chars_[k]; }

 private:
  bool identifierChars_;
  std::size_t count_;
  std::array<char16_t, kMaxChars> chars_{};
};

inline constexpr UnitClass kIdentifierChars(u"", true);

}  // namespace markwell::scan
