// Real-looking Pascal, MATLAB and assembler sources of any size, for the
// benchmarks and the comparison with other highlighters. The output depends
// only on the arguments: the same bytes on every machine and compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace markwell::bench {

enum class SourceLanguage { kPascal, kMatlab, kAssembler, kC, kPython };

// How the letters beyond ASCII (Czech, in comments and strings) are stored.
// kAscii leaves them out.
enum class SourceCharset { kAscii, kUtf8, kWindows1250 };

// "pascal", "matlab", "asm", "c", "python" (as markwell-cli names the modes).
std::optional<SourceLanguage> ParseSourceLanguage(std::string_view name);
std::string_view LanguageName(SourceLanguage language);

// A source of exactly `size` bytes. Pascal and assembler end their lines with
// CR LF, MATLAB, C and Python with LF.
std::string GenerateSource(SourceLanguage language, std::size_t size, std::uint64_t seed = 1,
                           SourceCharset charset = SourceCharset::kUtf8);

// `utf8Source` as a word processor saves it in RTF: one paragraph per line,
// runs of varied character formats, \rtlch / \ltrch pairs, revision ids,
// a panose number per font, a style sheet and \pard\plain noise on each
// paragraph. Czech letters become \'hh of windows-1250. The reader has to
// wade through far more control words per character than in our own RTF.
std::string WordProcessorRtf(std::string_view utf8Source, std::uint64_t seed = 1);

// splitmix64: tiny, fast and fully specified, unlike the standard
// distributions, whose results differ between library implementations.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // 0 to n - 1; the modulo bias is irrelevant here.
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
  bool Chance(int percent) { return Below(100) < static_cast<std::size_t>(percent); }

 private:
  std::uint64_t state_;
};

}  // namespace markwell::bench
