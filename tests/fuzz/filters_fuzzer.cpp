// Any bytes as a document and a keyword file, through every emphasis mode:
// the text never changes, every position keeps a format, and the run ends
// with an insertion point at the end of the text.
#include "files/document_file.h"
#include "files/engine_error.h"
#include "fuzz_invariants.h"
#include "run/formatting_run.h"

using namespace markwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte chooses the mode and the colour; the next byte splits the
  // rest into a keyword file and a document.
  const int mode = data[0] & 7;
  const bool useColor = (data[0] & 8) != 0;
  const std::size_t split = std::min<std::size_t>(data[1], size - 2);
  const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);

  KeywordLists keywords;
  ParseKeywordFile(rest.substr(0, split), keywords.pascal);
  ParseKeywordFile(rest.substr(0, split), keywords.matlab);
  Document document;
  try {
    LoadFromBytes(document, rest.substr(split));
  } catch (const EngineError&) {
    return 0;
  }
  const std::u16string before = document.Text();
  SilentProgress progress;
  RunFormattingSteps(document, mode, keywords, useColor, progress);
  fuzz::Require(document.Text() == before, "the run leaves the text alone");
  fuzz::CheckContent(document.Content());
  fuzz::Require(progress.BarPosition() <= progress.BarMaximum(), "bar within its range");
  if (mode == 1 || mode == 2 || mode == 4) {
    fuzz::Require(document.SelLength() == 0 && document.SelStart() == document.Length(),
                  "caret at the end after a filter");
  }
  return 0;
}
