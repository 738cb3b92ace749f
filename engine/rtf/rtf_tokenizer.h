// The syntax of RTF and nothing more: group braces, control words with their
// optional numeric parameter, control symbols, \'hh escapes, \binN data and
// runs of plain text. What the words mean is the reader's business.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

namespace markwell::rtf {

enum class TokenKind : std::uint8_t {
  End,
  GroupStart,
  GroupEnd,
  ControlWord,    // word (letters only), hasParam, param
  ControlSymbol,  // symbol: the character after the backslash
  HexByte,        // byte: the value of \'hh
  Binary,         // data: the bytes of \binN
  Text,           // data: plain text bytes, never \ { } CR or LF
};

struct Token {
  TokenKind kind = TokenKind::End;
  bool hasParam = false;
  char symbol = 0;
  std::uint8_t byte = 0;
  std::int64_t param = 0;
  std::string_view word;
  std::string_view data;
};

class Tokenizer {
 public:
  // Numeric parameters saturate here: far beyond anything meaningful, far
  // below overflow.
  static constexpr std::int64_t kParamLimit = 1'000'000'000'000'000;
  static_assert(kParamLimit < std::numeric_limits<std::int64_t>::max() / 20);

  explicit Tokenizer(std::string_view input)
      : p_(input.data()), end_(input.data() + input.size()) {}

  Token Next() {
    Token token;
    for (;;) {
      if (p_ == end_) return token;
      const char c = *p_;
      if (c == '{') {
        ++p_;
        token.kind = TokenKind::GroupStart;
        return token;
      }
      if (c == '}') {
        ++p_;
        token.kind = TokenKind::GroupEnd;
        return token;
      }
      if (c == '\r' || c == '\n') {
        // Line breaks in the source only wrap long lines; they carry nothing.
        ++p_;
        continue;
      }
      if (c != '\\') {
        const char* start = p_;
        while (p_ != end_ && !kStops[static_cast<unsigned char>(*p_)]) ++p_;
        token.kind = TokenKind::Text;
        token.data = std::string_view(start, static_cast<std::size_t>(p_ - start));
        return token;
      }
      ++p_;
      if (p_ == end_) return token;
      if (IsLetter(*p_)) return ControlWord();
      const char symbol = *p_++;
      if (symbol == '\'') {
        int digits = 0;
        unsigned value = 0;
        while (digits < 2 && p_ != end_ && HexValue(*p_) >= 0) {
          value = value * 16 + static_cast<unsigned>(HexValue(*p_));
          ++p_;
          ++digits;
        }
        // A broken escape (fewer than two hex digits) stands for nothing.
        if (digits < 2) continue;
        token.kind = TokenKind::HexByte;
        token.byte = static_cast<std::uint8_t>(value);
        return token;
      }
      token.kind = TokenKind::ControlSymbol;
      token.symbol = symbol;
      return token;
    }
  }

 private:
  static constexpr bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  }
  static constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static constexpr int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  // Called with p_ on the first letter of a control word.
  Token ControlWord() {
    Token token;
    token.kind = TokenKind::ControlWord;
    const char* start = p_;
    while (p_ != end_ && IsLetter(*p_)) ++p_;
    token.word = std::string_view(start, static_cast<std::size_t>(p_ - start));
    bool negative = false;
    if (p_ != end_ && *p_ == '-' && p_ + 1 != end_ && IsDigit(p_[1])) {
      negative = true;
      ++p_;
    }
    if (p_ != end_ && IsDigit(*p_)) {
      token.hasParam = true;
      std::int64_t value = 0;
      while (p_ != end_ && IsDigit(*p_)) {
        if (value < kParamLimit) value = value * 10 + (*p_ - '0');
        ++p_;
      }
      if (value > kParamLimit) value = kParamLimit;
      token.param = negative ? -value : value;
    }
    // One space ends the word and belongs to it.
    if (p_ != end_ && *p_ == ' ') ++p_;
    if (token.word == "bin" && token.hasParam) {
      const auto available = static_cast<std::uint64_t>(end_ - p_);
      const auto count =
          token.param > 0 ? std::min(static_cast<std::uint64_t>(token.param), available) : 0;
      token.kind = TokenKind::Binary;
      token.data = std::string_view(p_, static_cast<std::size_t>(count));
      p_ += count;
    }
    return token;
  }

  static constexpr std::array<bool, 256> kStops = [] {
    std::array<bool, 256> stops{};
    stops['\\'] = stops['{'] = stops['}'] = stops['\r'] = stops['\n'] = true;
    return stops;
  }();

  const char* p_;
  const char* end_;
};

}  // namespace markwell::rtf
