// Any bytes through the loader of the open command, and through the decoder
// that reads a file in pieces, which must give what decoding them whole does.
#include <algorithm>
#include <span>

#include "files/document_file.h"
#include "files/engine_error.h"
#include "fuzz_invariants.h"
#include "text/plain_text.h"

using namespace markwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Pieces of 1 to 32 bytes, and reads that stop short, chosen by the input.
  const std::size_t piece = size > 0 ? 1 + data[0] % 32 : 1;
  const std::size_t mostPerRead = size > 1 ? 1 + data[1] % 16 : 1;
  const ByteSource source = [&](std::uint64_t offset, std::span<char> into) {
    const std::size_t from = std::min<std::size_t>(offset, size);
    const std::size_t count = std::min({into.size(), size - from, mostPerRead});
    std::copy_n(bytes.data() + from, count, into.data());
    return count;
  };
  fuzz::Require(DecodePlainTextInPieces(source, size, piece) == DecodePlainText(bytes),
                "decoding in pieces gives what decoding the whole does");

  Document document;
  document.SetText(u"before");
  try {
    LoadFromBytes(document, bytes);
  } catch (const EngineError&) {
    fuzz::Require(document.Text() == u"before", "a failed load leaves the document");
    return 0;
  }
  fuzz::CheckContent(document.Content());
  fuzz::Require(document.SelStart() == 0 && document.SelLength() == 0, "caret at the start");
  return 0;
}
