// Any bytes through the RTF reader; what it accepts must survive being
// written back and read again with the same text and formats.
#include <sstream>

#include "fuzz_invariants.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

using namespace markwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto content = ReadRtf(bytes, CharFormat{});
  if (!content) return 0;
  fuzz::CheckContent(*content);

  std::ostringstream written;
  WriteRtf(*content, written);
  auto again = ReadRtf(written.str(), CharFormat{});
  fuzz::Require(again.has_value(), "our own RTF reads back");
  fuzz::Require(again->Text() == content->Text(), "same text after a round trip");
  for (int i = 0; i < content->Length(); ++i) {
    // The LF of a line break takes the format of its CR.
    const int from = content->Text()[static_cast<std::size_t>(i)] == u'\n' && i > 0 ? i - 1 : i;
    fuzz::Require(again->FormatAt(i) == content->FormatAt(from), "same formats after a round trip");
  }
  return 0;
}
