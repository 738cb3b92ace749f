// Any bytes through the loader of the open command.
#include "document_file.h"
#include "engine_error.h"
#include "fuzz_invariants.h"

using namespace markwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Document document;
  document.SetText(u"before");
  try {
    LoadFromBytes(document, std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const EngineError&) {
    fuzz::Require(document.Text() == u"before", "a failed load leaves the document");
    return 0;
  }
  fuzz::CheckContent(document.Content());
  fuzz::Require(document.SelStart() == 0 && document.SelLength() == 0, "caret at the start");
  return 0;
}
