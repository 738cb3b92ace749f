// Any bytes as a document through two language definitions (C and Python):
// the text never changes, every position keeps a format, the run ends with
// an insertion point at the end, and where the library fails on the text
// the error is an EngineError and the document is as it was.
#include "definitions/definition_library.h"
#include "definitions/installed_definitions.h"
#include "files/document_file.h"
#include "files/engine_error.h"
#include "fuzz_invariants.h"
#include "languages/known_languages.h"
#include "languages/language_run.h"

using namespace markwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // Loaded once: a definition is built once per program.
  static DefinitionLibrary library({LibraryDataDirectory()});
  const Language language{.caption = "X",
                          .runner = LanguageRunner::kDefinition,
                          .definition = (data[0] & 1) != 0 ? "python.lang" : "c.lang",
                          .looks = DefinitionLooks()};
  Document document;
  try {
    LoadFromBytes(document, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  } catch (const EngineError&) {
    return 0;
  }
  const std::u16string before = document.Text();
  const Document original = document;
  KeywordLists keywords;
  SilentProgress progress;
  try {
    RunLanguage(document, language, RunSettings{keywords, library, (data[0] & 2) != 0}, progress);
  } catch (const EngineError&) {
    for (int p = 0; p < document.Length(); ++p) {
      fuzz::Require(document.Content().FormatAt(p) == original.Content().FormatAt(p),
                    "a failed run changes no format");
    }
    return 0;
  }
  fuzz::Require(document.Text() == before, "the run leaves the text alone");
  fuzz::CheckContent(document.Content());
  fuzz::Require(document.SelLength() == 0 && document.SelStart() == document.Length(),
                "caret at the end after a run");
  return 0;
}
