// markwell-generate-source: writes a generated source of the given size to
// standard output, for bench/compare and for trying things by hand.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "source_generator.h"

namespace {

using namespace markwell::bench;

constexpr const char* kUsage =
    "usage: markwell-generate-source LANGUAGE SIZE_BYTES [SEED [CHARSET]]\n"
    "  LANGUAGE  pascal, matlab, asm, c or python\n"
    "  SIZE      bytes; a K or M suffix multiplies by 1024 or 1048576\n"
    "  SEED      any unsigned number (default 1); the same seed gives the same bytes\n"
    "  CHARSET   utf8 (default), cp1250 or ascii: how the Czech letters are stored\n";

bool ParseNumber(std::string_view text, std::uint64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseSize(std::string_view text, std::uint64_t& size) {
  std::uint64_t unit = 1;
  if (!text.empty() && (text.back() == 'K' || text.back() == 'k')) unit = 1024;
  if (!text.empty() && (text.back() == 'M' || text.back() == 'm')) unit = 1024 * 1024;
  if (unit != 1) text.remove_suffix(1);
  if (!ParseNumber(text, size)) return false;
  size *= unit;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const auto language = ParseSourceLanguage(argv[1]);
  std::uint64_t size = 0;
  std::uint64_t seed = 1;
  SourceCharset charset = SourceCharset::kUtf8;
  bool valid = language && ParseSize(argv[2], size) && (argc < 4 || ParseNumber(argv[3], seed));
  if (argc == 5) {
    const std::string_view name = argv[4];
    if (name == "ascii") {
      charset = SourceCharset::kAscii;
    } else if (name == "cp1250") {
      charset = SourceCharset::kWindows1250;
    } else if (name != "utf8") {
      valid = false;
    }
  }
  if (!valid) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string source = GenerateSource(*language, size, seed, charset);
  if (std::fwrite(source.data(), 1, source.size(), stdout) != source.size() ||
      std::fflush(stdout) != 0) {
    std::perror("markwell-generate-source");
    return 1;
  }
  return 0;
}
