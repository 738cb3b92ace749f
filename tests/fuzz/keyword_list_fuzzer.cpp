// Any bytes as a keyword file: every entry must be found again by its own
// spelling, and no entry holds a CR or a byte 26.
#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_invariants.h"
#include "keywords/keyword_list.h"

using namespace markwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  KeywordList list;
  ParseKeywordFile(std::string_view(reinterpret_cast<const char*>(data), size), list);
  for (const std::string& entry : list.Entries()) {
    fuzz::Require(entry.find('\r') == std::string::npos, "no CR in an entry");
    fuzz::Require(entry.find('\x1A') == std::string::npos, "no byte 26 in an entry");
    fuzz::Require(LowerAscii(entry) == entry, "entries are lower-cased");
    fuzz::Require(IsKeyword(list, std::string_view(entry)), "an entry is its own keyword");
  }
  // Any word is a keyword exactly when a search of the entries one by one finds it.
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string>& entries = list.Entries();
  const std::u16string text(bytes.begin(), bytes.end());
  const std::u16string_view units(text);
  for (std::size_t i = 0; i < bytes.size() && i < 4096; i += 5) {
    const std::string_view word = bytes.substr(i, static_cast<std::uint8_t>(bytes[i]) % 19);
    const bool listed =
        std::find(entries.begin(), entries.end(), LowerAscii(word)) != entries.end();
    fuzz::Require(IsKeyword(list, word) == listed, "a word is found exactly when it is listed");
    // The same word as UTF-16 (a byte per unit) in place in the input.
    fuzz::Require(
        list.ContainsWordAt(units, i, word.size()) == IsKeyword(list, units.substr(i, word.size())),
        "a word read in place is found exactly as on its own");
  }
  return 0;
}
